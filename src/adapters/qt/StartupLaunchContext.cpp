#include "adapters/qt/StartupLaunchContext.h"

#include <unistd.h>

#include <atomic>

namespace vantor {
namespace {

struct VantorLaunchContext {
    GAppLaunchContext parent;
    std::uint32_t time;
};

struct VantorLaunchContextClass {
    GAppLaunchContextClass parentClass;
};

G_DEFINE_TYPE(VantorLaunchContext, vantor_launch_context, G_TYPE_APP_LAUNCH_CONTEXT)

char* startupNotifyID(GAppLaunchContext* context, GAppInfo* info, GList* /*files*/) {
    auto* self = reinterpret_cast<VantorLaunchContext*>(context);
    if (self->time == 0) {
        return nullptr;
    }
    const char* name = info != nullptr ? g_app_info_get_id(info) : nullptr;
    return g_strdup(makeStartupID(name != nullptr ? name : "application", self->time).c_str());
}

void vantor_launch_context_class_init(VantorLaunchContextClass* klass) {
    G_APP_LAUNCH_CONTEXT_CLASS(klass)->get_startup_notify_id = startupNotifyID;
}

void vantor_launch_context_init(VantorLaunchContext* self) {
    self->time = 0;
}

}  // namespace

std::string makeStartupID(const std::string& applicationName, std::uint32_t time) {
    static std::atomic<unsigned> sequence{0};
    // The id is one word of the startup message: no spaces, no quotes.
    std::string name;
    for (char c : applicationName) {
        name += (c == ' ' || c == '"' || c == '\\' || c == '_') ? '-' : c;
    }
    const char* host = g_get_host_name();
    return "vantor-" + std::to_string(::getpid()) + "-" + (host != nullptr ? host : "host") + "-" +
           name + "-" + std::to_string(sequence++) + "_TIME" + std::to_string(time);
}

GAppLaunchContext* newStartupLaunchContext(std::uint32_t time) {
    auto* context =
        static_cast<VantorLaunchContext*>(g_object_new(vantor_launch_context_get_type(), nullptr));
    context->time = time;
    return G_APP_LAUNCH_CONTEXT(context);
}

}  // namespace vantor
