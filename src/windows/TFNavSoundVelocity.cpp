// The main window and the sound velocity window: the menu shows it, Save writes its tables while its
// profile is used, and whatever it saves or ticks reaches the depth reduction at once.
#include "windows/TFNav.h"
#include "windows/TOffsets.h"
#include "windows/TfSVP.h"

namespace selvir {

void TFNav::SetSoundVelocityWindow(TfSVP* window) {
    soundVelocity_ = window;
    if (!window) {
        return;
    }
    window->runMainSave = [this] { Save(); };
    window->tablesSaved = [this] { session_->reloadSoundVelocityProfile(); };
    window->lastFixLatitude = [this]() -> std::optional<double> {
        const NavigationState& state = session_->state();
        if (state.GpsLatitude == 0 && state.GpsLongitude == 0) {
            return std::nullopt; // no fix (the readers zero the position when the receiver falls silent)
        }
        return state.GpsLatitude;
    };
    window->turkishMode = [this] { return LanguageTurkish(); };
    connect(window, &TfSVP::UseSoundVelocityProfileChanged, this, [this](bool used) {
        session_->reloadSoundVelocityProfile();
        if (offsets_) {
            offsets_->setSoundVelocityProfileUsed(used);
        }
    });
    connectOffsetsToSoundVelocity();
}

void TFNav::connectOffsetsToSoundVelocity() {
    // The offsets window's SV field and button follow the sound velocity window's choice, and its
    // button opens that window; either window may be given first.
    if (!offsets_ || !soundVelocity_) {
        return;
    }
    offsets_->setSoundVelocityProfileUsed(soundVelocity_->UseSoundVelocityProfile());
    offsets_->setSoundVelocityWindowOpener([this] { soundVelocity_->ShowWindow(); });
}

void TFNav::saveSoundVelocityTables() {
    if (!soundVelocity_ || !soundVelocity_->UseSoundVelocityProfile()) {
        return;
    }
    std::string error;
    if (!soundVelocity_->SaveTables(&error)) {
        session_->report("Sound velocity tables could not be saved: " + error);
    }
}

} // namespace selvir
