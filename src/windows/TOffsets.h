#pragma once
// TOffsets ("Offsets Essential for Post Processing / Recovery"): before logging, the surveyor confirms
// the transducer draft, the antenna offsets, the sound velocity, the tide and who surveys where with
// which boat. "Realtime" checks them, appends them to the day's offsets log, stores them in
// "ECHOSOUNDER_OFFSETS" and starts realtime; "Cancel" closes and leaves the values in force as they were.
//
// The depth reduction reads the four numbers through this window (OffsetsSource) as they stood when it
// was last closed: edits take effect once the window closes.

#include "core/DataFolders.h"
#include "core/DateTime.h"
#include "core/ProfileStore.h"
#include "navigation/GnssSinks.h"
#include "tools/OffsetsEssential.h"
#include "windows/CaptionSet.h"

#include <QDialog>
#include <QTimer>
#include <functional>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace selvir {

class OffsetsSketch;

class TOffsets : public QDialog, public OffsetsSource {
    Q_OBJECT
public:
    static constexpr int kTimeIntervalMs = 1000;
    static constexpr int kDoubleClickHeightPx = 410;

    // Reads the stored fields; `clock` must outlive the window.
    TOffsets(ProfileStore settings, DataFolders folders, const Clock& clock, QWidget* owner = nullptr);
    ~TOffsets() override;

    // OffsetsSource
    bool offsetsWindowOpen() const override { return isVisible(); }
    OffsetsValues offsets() const override { return inForce_; }

    // --- Calls into the main window (each may stay unset)
    std::function<void()> saveLayout;                    // its Save command
    std::function<bool()> realtimeRunning;               // its realtime switch
    std::function<void()> pressRealtime;                 // presses its Realtime button
    std::function<bool()> languageTurkish;               // the interface language flag (on when unset)
    std::function<void(const QString& message)> onError; // message boxes when unset

    // The sound velocity window's "Use Sound Velocity Profile": the SV field is disabled while it is
    // ticked, and the record names the profile instead of the single value.
    void setSoundVelocityProfileUsed(bool used);
    bool soundVelocityProfileUsed() const { return profileUsed_; }
    // What the "Sound Velocity Profile" button does (it stays disabled until given).
    void setSoundVelocityWindowOpener(std::function<void()> open);

    // "Realtime": the confirmation. "Cancel": closes without changing what is in force.
    void BitBtn1Click();
    void BitBtn3Click();
    // The timer's tick: the current date and time into the time field.
    void Timer1Timer();
    void savePlacement();
    void applyEnglishCaptions();
    static std::span<const ControlCaption> englishCaptions();

    QLineEdit* OffsetA() const { return offsetA_; }
    QLineEdit* OffsetB() const { return offsetB_; }
    QLineEdit* OffsetC() const { return offsetC_; }
    QLineEdit* SV() const { return sv_; }
    QLineEdit* TideHt() const { return tide_; }
    QLineEdit* Location() const { return location_; }
    QLineEdit* SurveyBoat() const { return boat_; }
    QLineEdit* Surveyor() const { return surveyor_; }
    QLineEdit* time() const { return time_; }
    QPushButton* bSVP() const { return svp_; }
    QPushButton* BitBtn1() const { return realtime_; }
    QPushButton* BitBtn3() const { return cancel_; }
    QTimer& Timer1() { return timer_; }

public slots:
    void reject() override; // Escape and the title bar's close: as "Cancel"

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void loadKeys();
    OffsetsEntry entry() const;
    void putEntry(const OffsetsEntry& entry);
    QLineEdit* fieldOf(OffsetsField field) const;
    // A number field was left: what is not a number is said at once and the field keeps the focus.
    void numberFieldLeft(QLineEdit* field);
    bool turkish() const { return languageTurkish ? languageTurkish() : true; }
    void showError(const QString& message);
    void showProfileState();

    ProfileStore settings_;
    DataFolders folders_;
    const Clock& clock_;
    QTimer timer_;
    QLineEdit* offsetA_ = nullptr;
    QLineEdit* offsetB_ = nullptr;
    QLineEdit* offsetC_ = nullptr;
    QLineEdit* sv_ = nullptr;
    QLineEdit* tide_ = nullptr;
    QLineEdit* location_ = nullptr;
    QLineEdit* boat_ = nullptr;
    QLineEdit* surveyor_ = nullptr;
    QLineEdit* time_ = nullptr;
    QPushButton* svp_ = nullptr;
    QPushButton* realtime_ = nullptr;
    QPushButton* cancel_ = nullptr;
    OffsetsSketch* sketch_ = nullptr;
    std::function<void()> openSoundVelocityWindow_;
    OffsetsEntry shownEntry_; // the fields as they were shown: "Cancel" puts them back
    OffsetsValues inForce_{}; // what the depth reduction uses
    bool profileUsed_ = false;
    bool shown_ = false;
};

} // namespace selvir
