#include "cli/picture_renderer.hpp"

#ifdef _WIN32

namespace qalix {

// The Windows build has no desktop libraries and so no renderer: pictures are refused, with
// the reason, as by any build without one.
PictureRenderer pictureRenderer() {
    return {};
}

}  // namespace qalix

#else

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <system_error>

namespace qalix {

namespace {

namespace fs = std::filesystem;

constexpr const char* kEntryPoint = "qalixPictureRenderer";
using EntryPoint = void (*)(PictureRenderer*);

// The folder qalix runs from: the library is beside it in a build, in the library folder of
// the installation otherwise.
fs::path programFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

std::array<fs::path, 2> candidates() {
    const fs::path folder = programFolder();
    return {folder / kPictureRendererFile,
            folder / ".." / QALIX_INSTALL_LIBDIR / "qalix" / kPictureRendererFile};
}

// Opens the library once; empty, with the reason, when it cannot.
PictureRenderer load(std::string& reason) {
    for (const fs::path& file : candidates()) {
        std::error_code ec;
        if (!fs::exists(file, ec)) continue;
        void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            reason = std::string("the picture renderer cannot be loaded: ") + dlerror();
            return {};
        }
        auto entry = reinterpret_cast<EntryPoint>(dlsym(library, kEntryPoint));
        if (entry == nullptr) {
            reason = "the picture renderer " + file.string() + " is not this qalix's";
            return {};
        }
        PictureRenderer renderer;
        entry(&renderer);
        return renderer;  // the library stays loaded for the rest of the run
    }
    reason = "this qalix has no picture renderer (" + std::string(kPictureRendererFile) +
             " is not installed beside it), which SVG, PDF and PNG pictures need; write the "
             "metafile, FILE.emf, instead";
    return {};
}

}  // namespace

PictureRenderer pictureRenderer() {
    return [](const std::string& path, int width, int height,
              const std::function<void(Canvas&)>& draw, std::string& reason) {
        static std::string missing;
        static const PictureRenderer loaded = load(missing);
        if (!loaded) {
            reason = missing;
            return false;
        }
        return loaded(path, width, height, draw, reason);
    };
}

}  // namespace qalix

#endif
