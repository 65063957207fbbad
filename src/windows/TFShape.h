#pragma once
// TFShape ("Vessel Geometry"): the range circles and the heading arrow drawn around the vessel. The map
// reads the five fields once per run, at its first tick, so a change acts from the next start.
// "Save && Hide" stores them in "VESSEL_SHAPE"; "Default" puts the usual values back.

#include "core/ProfileStore.h"
#include "navigation/RealtimeSettings.h"
#include "windows/CaptionSet.h"

#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace selvir {

class TFShape : public QWidget {
    Q_OBJECT
public:
    // Reads the five keys into the fields.
    explicit TFShape(ProfileStore settings, QWidget* owner = nullptr);

    // What the fields say; a field that cannot be used gives its read default.
    VesselGeometry vesselGeometry() const;

    // "Save && Hide": a field that cannot be used is named and takes the focus; otherwise the five
    // texts are stored and the window hides.
    void bSaveClick();
    // "Default".
    void bDefaultClick();
    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();

    QLineEdit* edAmount() const { return fields_[0]; }
    QLineEdit* edInterval() const { return fields_[1]; }
    QLineEdit* edRadious() const { return fields_[2]; }
    QLineEdit* edBArrow() const { return fields_[3]; }
    QLineEdit* edLArrow() const { return fields_[4]; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* DefaultButton() const { return default_; }

    // Error boxes; tests answer them (a message box when unset).
    std::function<void(const QString& message)> onError;

private:
    void showError(const QString& message);

    ProfileStore settings_;
    std::array<QLineEdit*, std::size(kVesselShapeKeys)> fields_{};
    std::array<QLabel*, std::size(kVesselShapeKeys)> labels_{};
    QPushButton* save_ = nullptr;
    QPushButton* default_ = nullptr;
};

} // namespace selvir
