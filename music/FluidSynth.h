// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#pragma once

#include <fluidsynth.h>

namespace Lumora {

// The parts of libfluidsynth the player uses, loaded when music is first played rather
// than at start-up: the library pulls in some dozen others (PulseAudio, JACK, SDL,
// GLib, libsndfile ...), whose loading and relocation would add a fifth to the time
// the main window takes to appear and megabytes to the memory of a program that may
// never play a note.
struct FluidSynth {
    decltype(&::new_fluid_settings) new_settings;
    decltype(&::delete_fluid_settings) delete_settings;
    decltype(&::fluid_settings_setstr) settings_setstr;
    decltype(&::fluid_settings_setint) settings_setint;
    decltype(&::fluid_settings_setnum) settings_setnum;
    decltype(&::new_fluid_synth) new_synth;
    decltype(&::delete_fluid_synth) delete_synth;
    decltype(&::fluid_synth_sfload) synth_sfload;
    decltype(&::fluid_synth_all_sounds_off) synth_all_sounds_off;
    decltype(&::fluid_synth_write_float) synth_write_float;
    decltype(&::new_fluid_player) new_player;
    decltype(&::delete_fluid_player) delete_player;
    decltype(&::fluid_player_add) player_add;
    decltype(&::fluid_player_play) player_play;
    decltype(&::fluid_player_stop) player_stop;
    decltype(&::fluid_player_get_status) player_get_status;
    decltype(&::new_fluid_audio_driver2) new_audio_driver2;
    decltype(&::delete_fluid_audio_driver) delete_audio_driver;
    decltype(&::fluid_set_log_function) set_log_function;

    // The library, loaded and quietened on first use; nullptr when it is not installed.
    static const FluidSynth* get();
};

} // namespace Lumora
