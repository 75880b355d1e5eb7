// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "FluidSynth.h"

#include <dlfcn.h>

#include <mutex>

namespace Lumora {

namespace {

void quietLog(int, const char*, void*) {}

void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

template <typename Function>
bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const FluidSynth* load()
{
    void* library = nullptr;
    for (const char* name : {"libfluidsynth.so.3", "libfluidsynth.so.2", "libfluidsynth.so"}) {
        if ((library = dlopen(name, RTLD_NOW | RTLD_LOCAL)))
            break;
    }
    if (!library)
        return nullptr;
    static FluidSynth api;
    const bool complete =
        resolve(library, "new_fluid_settings", api.new_settings) &&
        resolve(library, "delete_fluid_settings", api.delete_settings) &&
        resolve(library, "fluid_settings_setstr", api.settings_setstr) &&
        resolve(library, "fluid_settings_setint", api.settings_setint) &&
        resolve(library, "fluid_settings_setnum", api.settings_setnum) &&
        resolve(library, "new_fluid_synth", api.new_synth) &&
        resolve(library, "delete_fluid_synth", api.delete_synth) &&
        resolve(library, "fluid_synth_sfload", api.synth_sfload) &&
        resolve(library, "fluid_synth_all_sounds_off", api.synth_all_sounds_off) &&
        resolve(library, "fluid_synth_write_float", api.synth_write_float) &&
        resolve(library, "new_fluid_player", api.new_player) &&
        resolve(library, "delete_fluid_player", api.delete_player) &&
        resolve(library, "fluid_player_add", api.player_add) &&
        resolve(library, "fluid_player_play", api.player_play) &&
        resolve(library, "fluid_player_stop", api.player_stop) &&
        resolve(library, "fluid_player_get_status", api.player_get_status) &&
        resolve(library, "new_fluid_audio_driver2", api.new_audio_driver2) &&
        resolve(library, "delete_fluid_audio_driver", api.delete_audio_driver) &&
        resolve(library, "fluid_set_log_function", api.set_log_function);
    if (!complete)
        return nullptr;
    // FluidSynth and ALSA would print their complaints about a machine without sound on
    // the terminal; the program has nothing to say about it.
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        api.set_log_function(level, quietLog, nullptr);
    using AlsaHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetAlsaHandler = int (*)(AlsaHandler);
    // libasound came in with FluidSynth; NOLOAD finds it without loading anything new.
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD)) {
        if (auto set = reinterpret_cast<SetAlsaHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
            set(quietAlsa);
    }
    return &api;
}

} // namespace

const FluidSynth* FluidSynth::get()
{
    static std::once_flag once;
    static const FluidSynth* api = nullptr;
    std::call_once(once, [] { api = load(); });
    return api;
}

} // namespace Lumora
