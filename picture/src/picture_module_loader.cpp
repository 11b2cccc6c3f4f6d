// SPDX-License-Identifier: MIT
// Finds the picture module relative to the running program and calls it through dlopen.
#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "kelvara/picture/picture_module.h"

#ifndef KELVARA_PICTURE_MODULE
#define KELVARA_PICTURE_MODULE "../lib/kelvara/modules/kelvara_picture.so"
#endif

namespace kelvara::picture {
namespace {

struct Module {
    KelvaraRenderPictureFunction render = nullptr;
    KelvaraFreePictureFunction release = nullptr;
    std::string error;
};

std::filesystem::path ModulePath()
{
    std::error_code ignored;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ignored);
    return program.parent_path() / KELVARA_PICTURE_MODULE;
}

Module Load()
{
    Module m;
    const std::string path = ModulePath().lexically_normal().string();
    // The module stays loaded for the rest of the process: Qt cannot be unloaded cleanly.
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        m.error = "cannot load the picture module " + path + ": " +
                  (reason != nullptr ? reason : "unknown reason");
        return m;
    }
    m.render = reinterpret_cast<KelvaraRenderPictureFunction>(  // NOLINT
        ::dlsym(handle, kKelvaraRenderPictureSymbol));
    m.release = reinterpret_cast<KelvaraFreePictureFunction>(  // NOLINT
        ::dlsym(handle, kKelvaraFreePictureSymbol));
    if (m.render == nullptr || m.release == nullptr) {
        m.error = "the picture module " + path + " lacks its entry points";
    }
    return m;
}

bool g_loaded = false;

const Module& TheModule()
{
    static const Module module = [] {
        g_loaded = true;
        return Load();
    }();
    return module;
}

}  // namespace

PictureBytes RenderWithModule(const KelvaraPictureRequest& request)
{
    const Module& m = TheModule();
    PictureBytes out;
    if (!m.error.empty()) {
        out.error = m.error;
        return out;
    }
    KelvaraPictureResult result{};
    m.render(&request, &result);
    out.size = {result.width, result.height};
    out.tooLarge = result.tooLarge == 1;
    if (result.data == nullptr) {
        result.error[sizeof result.error - 1] = '\0';
        out.error = result.error;
        if (out.error.empty()) out.error = "the picture could not be drawn";
    } else {
        out.bytes.assign(reinterpret_cast<const char*>(result.data), result.size);  // NOLINT
    }
    m.release(&result);
    return out;
}

bool ModuleLoaded() { return g_loaded; }

}  // namespace kelvara::picture
