#pragma once
// TFGPS ("FGPS"), the "Settings" window: the two serial ports, the echosounder message and its format,
// the geodetic parameters (with a control-point check of them), the canvas grid and the label looks,
// and a monitor of both ports' raw lines. Created once after the main window and only shown and hidden.
//
// The survey engine reads it through DeviceSettingsSource, so what is on screen is what the engine
// uses: the message format decodes the next line as it stands, "GPS Set" / "SBES Set" (pressed by the
// realtime start) copy the port choices into the readers, the geodetic fields are taken at the first map
// tick, and the display settings record changes with "Apply Settings" and the immediate boxes. Only
// "Save and lock settings" writes the settings file.

#include "core/ProfileStore.h"
#include "navigation/DeviceSettingsForm.h"
#include "navigation/DeviceSettingsSource.h"
#include "windows/ColorBox.h"

#include <QWidget>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace selvir {

class ControlPointPanel;
class TFNav;
class TSelvirCanvas;

// The realtime window's low-frequency depth box (client height 387 with it, 289 without), which the
// echosounder message choice shows or hides. The realtime window implements it.
class LowFrequencyDepthBox {
public:
    virtual ~LowFrequencyDepthBox() = default;
    virtual bool lowFrequencyBoxVisible() const = 0;
    virtual void setLowFrequencyBoxVisible(bool visible) = 0;
};

class TFGPS : public QWidget, public DeviceSettingsSource {
    Q_OBJECT
public:
    // The tab sheets in order; the first four are locked by "Save and lock settings".
    enum Tab { GPSTabSheet, SensorTabSheet, ParametersTabSheet, tGlobalSetting, MonitorTabSheet };

    // Creation: reads every key of its sections into the controls, applies the lock, fills the display
    // settings and pushes the grid to the main window's canvas. `settings` must outlive the window;
    // `main` is the main window (null only when the window is tried alone): its canvas shows the grid,
    // its readers take the port choices, its events log records a save.
    TFGPS(ProfileStore& settings, TFNav* main, QWidget* owner = nullptr);
    ~TFGPS() override;

    // --- DeviceSettingsSource: the controls as they stand
    DeviceSwitches deviceSwitches() override;
    PortChoices portChoices(SerialPortRole role) override;
    DisplaySettings displaySettings() override { return display_; }
    GeodeticParameters geodeticParameters() override;

    // Every control as "Save and lock settings" writes it.
    DeviceSettingsForm formValues() const;

    // --- Handlers
    void GPSSetClick();
    void SensorSetClick();
    void cSBESMessageChange();
    // The message choice applied once after start (the realtime window's timer): the low-frequency box
    // follows it, and the format field takes the choice's pattern only when it is empty, so a format the
    // surveyor edited and saved stays in force.
    void applyMessageChoiceAtStart();
    void cbUseTMProjectionClick();
    void cbUseLCCProjectionClick();
    void cLambert1Click();
    void cbGridVisibleClick();
    void cbAutoGridClick();
    void cbGridColorChange();
    void cbShowDepthLabelsClick();
    void edEventLabelFontSizeChange();
    void cbEventLabelColorChange();
    void btnApplySettingsClick();
    void LockStateCheck1Click();
    // The display settings' grid onto the main window's canvas, repainted: visible flag, spacing (0 and 0
    // with AutoGrid), colour.
    void pushGridToCanvas();
    // This window's part of the English caption set.
    void applyEnglishCaptions();

    // --- The I/O port monitor (fed by the engine through the main window's MonitorRelay)
    void appendGpsMonitorLine(const std::string& line);
    void appendSensorMonitorLine(const std::string& line);
    void setGpsMonitorColor(ColorValue color);

    // --- Seams
    // The realtime window's box; until it exists the choice changes only the format field.
    void setLowFrequencyDepthBox(LowFrequencyDepthBox* box) { lowFrequencyBox_ = box; }
    // Message boxes when unset.
    std::function<void(const QString& message)> onError;
    std::function<void(const QString& message)> onInformation;
    // The custom colour dialog of all three colour boxes (QColorDialog when unset).
    void setColorChooser(const std::function<std::optional<ColorValue>(ColorValue current)>& chooser);

    // --- Controls, for the main window and tests (every control also has its object name)
    QTabWidget* Tabs() const { return tabs_; }
    // The controls of a tab sheet: disabled while the settings are locked.
    QWidget* TabContent(Tab tab) const { return tabContents_.at(static_cast<std::size_t>(tab)); }
    QCheckBox* LockStateCheck1() const { return lockBox_; }
    QPlainTextEdit* MemoGPS() const { return memoGps_; }
    QPlainTextEdit* MemoSensor() const { return memoSensor_; }
    ControlPointPanel* ControlPoints() const { return checkPanel_; }
    QLabel* FormatHint() const { return formatHint_; }

    static constexpr int kMonitorMaxLines = 100;
    static constexpr const char* kGpsMonitorCaption = "NMEA POSITION DATA";
    static constexpr const char* kSensorMonitorCaption = "NMEA SENSOR DATA";

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The message choice into the low-frequency box, and into the format field when `setFormat`.
    void applyMessageChoice(bool setFormat);
    // One port's controls; the receiver's and the echosounder's tabs are built by the same code.
    struct PortControls {
        QComboBox* port = nullptr;
        QComboBox* baudRate = nullptr;
        QComboBox* dataWidth = nullptr;
        QComboBox* stopBits = nullptr;
        QComboBox* parity = nullptr;
        QComboBox* priority = nullptr;
        QComboBox* delay = nullptr;
        QComboBox* nmeaLog = nullptr;
        QComboBox* logTime = nullptr;
        QComboBox* enableDTR = nullptr;
        QComboBox* enableRTS = nullptr;
        QPushButton* set = nullptr;
    };

    // Building the form (TFGPSLayout.cpp).
    void buildForm();
    // `besideSet` stands beside the set button, `below` (when given) under the two groups.
    QWidget* buildPortTab(PortControls& controls, const QString& prefix, const QString& portGroupTitle,
                          const QString& setCaption, QCheckBox* besideSet, QWidget* below);
    QWidget* buildParametersTab();
    QWidget* buildGlobalTab();
    QWidget* buildMonitorTab();
    QComboBox* portCombo(const QString& name);
    void refuseUnsupported(QComboBox* combo, std::string (*problemOf)(std::string_view));

    void loadForm(const DeviceSettingsForm& form);
    void setChoices(const PortControls& controls, const PortChoices& choices);
    PortChoices choicesOf(const PortControls& controls) const;
    DisplaySettingsFields displayFields() const;
    DeviceSwitches switchesOnScreen() const;
    GeodeticParameters geodeticOnScreen() const;
    // The geodetic fields checked; a field that cannot be used is shown and false returned.
    bool geodeticFieldsUsable();
    void setTabsLocked(bool locked);
    void setMonitorFlag(bool on);
    void appendMonitorLine(QPlainTextEdit* memo, const std::string& line);
    static void setMonitorColor(QPlainTextEdit* memo, ColorValue color);
    void pushLabelsToCanvas();
    void showFormatHint();
    void showError(const QString& message);
    void showInformation(const QString& message);
    TSelvirCanvas* canvas() const;

    ProfileStore& settings_;
    TFNav* main_;
    LowFrequencyDepthBox* lowFrequencyBox_ = nullptr;
    DisplaySettings display_;
    bool gpsMonitorAlert_ = false; // the GPS memo is red since the receiver timed out

    QTabWidget* tabs_ = nullptr;
    std::vector<QWidget*> tabContents_;
    PortControls gps_;
    PortControls sensor_;
    QCheckBox* gyroEnabled_ = nullptr;
    QCheckBox* sensorEnabled_ = nullptr;
    QComboBox* sbesMessage_ = nullptr;
    QLineEdit* sbesFormat_ = nullptr;
    QLabel* formatHint_ = nullptr;
    std::vector<QLineEdit*> geodeticEdits_; // in the order of geodeticNumberFields()
    QLineEdit* nameOfDatum_ = nullptr;
    QCheckBox* useTM_ = nullptr;
    QCheckBox* useDTP_ = nullptr;
    QCheckBox* useLCC_ = nullptr;
    QCheckBox* lambert1_ = nullptr;
    ControlPointPanel* checkPanel_ = nullptr;
    QCheckBox* gridVisible_ = nullptr;
    QCheckBox* autoGrid_ = nullptr;
    QLineEdit* gridSpacingX_ = nullptr;
    QLineEdit* gridSpacingY_ = nullptr;
    ColorBox* gridColor_ = nullptr;
    QCheckBox* showDepthLabels_ = nullptr;
    QLineEdit* depthLabelSpacing_ = nullptr;
    QLineEdit* depthLabelFontName_ = nullptr;
    QLineEdit* depthLabelFontSize_ = nullptr;
    ColorBox* textColor_ = nullptr;
    QLineEdit* eventLabelFontSize_ = nullptr;
    ColorBox* eventLabelColor_ = nullptr;
    QPushButton* applySettings_ = nullptr;
    QPlainTextEdit* memoGps_ = nullptr;
    QPlainTextEdit* memoSensor_ = nullptr;
    QCheckBox* lockBox_ = nullptr;
};

} // namespace selvir
