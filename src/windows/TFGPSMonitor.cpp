// The settings window's port monitor and its part of the English caption set.
#include "canvas/CanvasColor.h"
#include "windows/CaptionSet.h"
#include "windows/ControlPointPanel.h"
#include "windows/MonitorRelay.h"
#include "windows/TFGPS.h"
#include "windows/TFNav.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

namespace selvir {
namespace {

constexpr ColorValue kMonitorTextColor = kColorLime;

// The caption set of this window: (object name, caption). Labels of the port controls are captioned on
// both port tabs ("lPort" and "lSPort").
struct Caption {
    const char* objectName;
    const char* text;
    bool bothPorts = false;
};
constexpr Caption kCaptions[] = {
    {"GPSTabSheet", "GPS Settings"},
    {"PortGroup", "GPS Port Settings"},
    {"lPort", "Port No:", true},
    {"lBaudRate", "Baud Rate", true},
    {"lDataWidth", "Data Width", true},
    {"lStopBits", "Stop Bits", true},
    {"lParity", "Parity", true},
    {"OptionalGroup", "Optional Settings", true},
    {"lEnableDTR", "Enable DTR", true},
    {"lNMEALog", "NMEA Log", true},
    {"lDelay", "Delay", true},
    {"lPriority", "Priority", true},
    {"lLogTime", "Log Time", true},
    {"lEnableRTS", "Enable RTS", true},
    {"GPSSet", "GPS Set"},
    {"GyroEnabled", "Enable Gyro"},
    {"SensorTabSheet", "Sensor (SBES) Settings"},
    {"SensorSet", "SBES Set"},
    {"SPortGroup", "NMEA Sensor Port Settings"},
    {"SensorEnabled", "Sensor Enabled"},
    {"ParametersTabSheet", "Geodetic Parameters"},
    {"gbTMParameters", "TM Parameters"},
    {"ledCM", "Central Meridian"},
    {"ledRL", "Reference Latitude"},
    {"ledSF", "Scale Factor"},
    {"ledFE", "False Easting"},
    {"cbUseTMProjection", "Use Projection"},
    {"ledFN", "False Northing"},
    {"gbDatum", "Datum"},
    {"gbEllipsoid", "Ellipsoid"},
    {"ledSMA", "Semi Major Axis"},
    {"ledIF", "Flattening"},
    {"gbTransformationParametersfromWGS-84", "Transformation Parameters from WGS-84"},
    {"ledRX", "X Rotation"},
    {"ledRY", "Y Rotation"},
    {"ledRZ", "Z Rotation"},
    {"ledSZ", "Z Shift"},
    {"ledSY", "Y Shift"},
    {"ledSX", "X Shift"},
    {"cbUseDTP", "Use DTP"},
    {"ledNameOfDatum", "Name of Datum"},
    {"MonitorTabSheet", "I/O Port Monitor"},
    {"LockStateCheck1", "Save and lock settings"},
    // Beyond the designed set: the display, LCC, message and control-point controls.
    {"tGlobalSetting", "Global Setting"},
    {"lRotationsConvention", "Coordinate frame rotations (see Check)"},
    {"ledPPM", "Scale (ppm)"},
    {"gbLCCParameters", "LCC Parameters"},
    {"cbUseLCCProjection", "Use Projection"},
    {"cLambert1", "Use Lambert 1"},
    {"leLCCCP", "Central Parallel"},
    {"leLCCFE", "False Easting"},
    {"leLCCFN", "False Norhing"},
    {"leLCCM", "Central Meridian"},
    {"leLCCSF", "Scale Factor"},
    {"leLCCSP1", "Standard Parallel 1"},
    {"leLCCSP2", "Standard Parallel 2"},
    {"gbControlPointCheck", "Check"},
    {"btControlPointAdd", "Add Point"},
    {"btControlPointRemove", "Remove Point"},
    {"btControlPointsLoad", "Load..."},
    {"btControlPointCheck", "Check"},
    {"btNegateRotations", "Negate Rotations"},
    {"gbSBESMessage", "SBES Message"},
    {"lcSBESMessage", "Message"},
    {"leSBESFormat", "Format"},
    {"gbGridSettings", "Grid Settings"},
    {"cbGridVisible", "Show Grid"},
    {"cbAutoGrid", "Auto Scale"},
    {"ledGridSpacingX", "Spacing X"},
    {"ledGridSpacingY", "Spacing Y"},
    {"lcbGridColor", "Grid Color"},
    {"gbDepthLabels", "Depth Labels"},
    {"cbShowDepthLabels", "Show Depth Labels"},
    {"ledDepthLabelFontName", "Font"},
    {"ledDepthLabelFontSize", "Font Size"},
    {"ledDepthLabelSpacing", "Label Spacing (m)"},
    {"lcbTextColor", "Color"},
    {"gbEventLabels", "Event Labels"},
    {"ledEventLabelFontSize", "Font Size"},
    {"lcbEventLabelColor", "Color"},
    {"btnApplySettings", "Apply Settings"},
    {"btClose", "Close"},
};

// A monitor's caption is its first line; a memo that already shows port data keeps it.
void captionMemo(QPlainTextEdit* memo, const QString& caption) {
    const QString text = memo->toPlainText();
    if (text.isEmpty() || text == caption || text == QLatin1Char('(') + caption + QLatin1Char(')')) {
        memo->setPlainText(caption);
    }
}

} // namespace

void TFGPS::applyEnglishCaptions() {
    // Through the interface language's translations (CaptionSet.h), as every window's part of the set.
    setWindowTitle(translatedCaption(*this, "Settings"));
    const auto apply = [this](const QString& name, const QString& text) {
        QObject* target = findChild<QObject*>(name);
        if (auto* page = qobject_cast<QWidget*>(target); page && tabs_->indexOf(page) >= 0) {
            tabs_->setTabText(tabs_->indexOf(page), text);
        } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
            group->setTitle(text);
        } else if (auto* caption = qobject_cast<QLabel*>(target)) {
            caption->setText(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
            button->setText(text);
        }
    };
    checkPanel_->applyCaptions();
    for (const Caption& caption : kCaptions) {
        const QString name = QString::fromUtf8(caption.objectName);
        const QString text = translatedCaption(*this, caption.text);
        apply(name, text);
        if (caption.bothPorts) {
            // "lPort" -> "lSPort", "OptionalGroup" -> "SOptionalGroup".
            apply(name.startsWith(QLatin1Char('l')) ? QStringLiteral("lS") + name.mid(1)
                                                    : QStringLiteral("S") + name,
                  text);
        }
    }
    captionMemo(memoGps_, translatedCaption(*this, kGpsMonitorCaption));
    captionMemo(memoSensor_, translatedCaption(*this, kSensorMonitorCaption));
}

void TFGPS::setMonitorColor(QPlainTextEdit* memo, ColorValue color) {
    memo->setStyleSheet(QStringLiteral("QPlainTextEdit { background: %1; color: %2; }")
                            .arg(toQColor(static_cast<TColor>(color)).name(),
                                 toQColor(static_cast<TColor>(kMonitorTextColor)).name()));
}

void TFGPS::appendMonitorLine(QPlainTextEdit* memo, const std::string& line) {
    memo->appendPlainText(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum()); // the newest line in view
}

void TFGPS::appendGpsMonitorLine(const std::string& line) {
    if (gpsMonitorAlert_) {
        gpsMonitorAlert_ = false; // the receiver talks again
        setMonitorColor(memoGps_, kColorBlack);
    }
    appendMonitorLine(memoGps_, line);
}

void TFGPS::appendSensorMonitorLine(const std::string& line) {
    appendMonitorLine(memoSensor_, line);
}

void TFGPS::setGpsMonitorColor(ColorValue color) {
    gpsMonitorAlert_ = color != kColorBlack;
    setMonitorColor(memoGps_, color);
}

void TFGPS::setMonitorFlag(bool on) {
    if (main_) {
        main_->Monitor().monitorFlag = on;
    }
}

bool TFGPS::eventFilter(QObject* watched, QEvent* event) {
    // A button held on a monitor pauses both, so a line can be read and copied.
    if (watched == memoGps_->viewport() || watched == memoSensor_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            setMonitorFlag(false);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            setMonitorFlag(true);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace selvir
