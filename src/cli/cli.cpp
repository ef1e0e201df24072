#include "cli/cli.hpp"

#include "cli/commands.hpp"
#include "cli/file_roles.hpp"
#include "cli/options.hpp"
#include "document/design_inputs.hpp"

namespace qalix {

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PictureRenderer& renderer, const DocumentRenderer& documents) {
    try {
        const CliOptions options = parseOptions(args);
        if (options.help) {
            out << helpText(options.command);
            return 0;
        }
        refuseClashingFiles(options);
        return commandNamed(options.command).run(options, {out, err, renderer, documents});
    } catch (const UsageError& e) {
        err << "qalix: " << e.what() << '\n' << usageLine() << '\n';
        return 2;
    } catch (const InputError& e) {
        err << "qalix: " << e.what() << '\n' << usageLine() << '\n';
        return 2;
    }
}

}  // namespace qalix
