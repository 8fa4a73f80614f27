#pragma once

#include <gio/gdesktopappinfo.h>
#include <glib.h>

#include <memory>

namespace vantor {

// Owners for the GLib objects discovery uses, each with its own free function.
struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GKeyFileFree {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
struct GStrvFree {
    void operator()(gchar** strings) const { g_strfreev(strings); }
};
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

using DesktopAppInfoPtr = std::unique_ptr<GDesktopAppInfo, GObjectUnref>;
using KeyFilePtr = std::unique_ptr<GKeyFile, GKeyFileFree>;
using GCharPtr = std::unique_ptr<gchar, GFree>;
using GStrvPtr = std::unique_ptr<gchar*, GStrvFree>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

}  // namespace vantor
