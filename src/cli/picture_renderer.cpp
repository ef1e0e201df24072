#include "cli/picture_renderer.hpp"

#ifdef _WIN32

namespace qalix {

// The Windows build has no desktop libraries and so no renderer: pictures and PDF reports are
// refused, with the reason, as by any build without one.
PictureRenderer pictureRenderer() {
    return {};
}

DocumentRenderer documentRenderer() {
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

// The library, opened once; none, with the reason, when it cannot be.
struct Library {
    void* handle = nullptr;
    std::string reason;
    fs::path file;
};

Library open() {
    for (const fs::path& file : candidates()) {
        std::error_code ec;
        if (!fs::exists(file, ec)) continue;
        void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr)
            return {nullptr, std::string("the picture renderer cannot be loaded: ") + dlerror(),
                    file};
        return {handle, {}, file};  // it stays loaded for the rest of the run
    }
    return {nullptr,
            "this qalix has no picture renderer (" + std::string(kPictureRendererFile) +
                " is not installed beside it), which SVG, PDF and PNG pictures and PDF reports "
                "need; write the metafile, FILE.emf, or the report as FILE.html instead",
            {}};
}

const Library& library() {
    static const Library opened = open();
    return opened;
}

// What the library's entry point of that name fills in; empty, with the reason, when the
// library is missing or not this qalix's.
template <typename Renderer>
Renderer lookUp(const char* entryPoint, std::string& reason) {
    const Library& lib = library();
    if (lib.handle == nullptr) {
        reason = lib.reason;
        return {};
    }
    auto entry = reinterpret_cast<void (*)(Renderer*)>(dlsym(lib.handle, entryPoint));
    if (entry == nullptr) {
        reason = "the picture renderer " + lib.file.string() + " is not this qalix's";
        return {};
    }
    Renderer renderer;
    entry(&renderer);
    return renderer;
}

}  // namespace

PictureRenderer pictureRenderer() {
    return [](const std::string& path, int width, int height,
              const std::function<void(Canvas&)>& draw, std::string& reason) {
        static std::string missing;
        static const PictureRenderer loaded = lookUp<PictureRenderer>(kPictureEntryPoint, missing);
        if (!loaded) {
            reason = missing;
            return false;
        }
        return loaded(path, width, height, draw, reason);
    };
}

DocumentRenderer documentRenderer() {
    return [](const std::string& path, const std::string& html, bool letter, std::string& reason) {
        static std::string missing;
        static const DocumentRenderer loaded =
            lookUp<DocumentRenderer>(kDocumentEntryPoint, missing);
        if (!loaded) {
            reason = missing;
            return false;
        }
        return loaded(path, html, letter, reason);
    };
}

}  // namespace qalix

#endif
