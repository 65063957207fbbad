// The settings window's form: five tab sheets, the lock box and the close button. Controls carry the
// names the program has always given them; labels are "l" + the control's name.
#include "core/NumberFormat.h"
#include "navigation/DisplaySettings.h"
#include "navigation/EchosounderFormats.h"
#include "serial/SerialPortMapping.h"
#include "windows/ControlPointPanel.h"
#include "windows/TFGPS.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>

namespace selvir {
namespace {

constexpr int kNumberEditWidthPx = 150;
constexpr int kComboWidthPx = 210;
constexpr int kWindowWidthPx = 1100;
constexpr int kWindowHeightPx = 700;

// Accepts what may become a number while typing ("-", "1.", "1e"), in the program's "." notation.
QRegularExpressionValidator* numberValidator(QObject* owner) {
    static const QRegularExpression number(QStringLiteral(R"([+-]?(\d+\.?\d*|\.\d*)?([eE][+-]?\d*)?)"));
    return new QRegularExpressionValidator(number, owner);
}

QLineEdit* numberEdit(QWidget* owner, const QString& name) {
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(name);
    edit->setValidator(numberValidator(edit));
    edit->setFixedWidth(kNumberEditWidthPx);
    return edit;
}

// Whole points within the range the display settings take: a key that would leave it is not taken
// (QIntValidator lets "999" stand as a size still being typed).
class FontSizeValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        if (input.isEmpty()) {
            return Intermediate;
        }
        for (const QChar ch : input) {
            if (!ch.isDigit()) {
                return Invalid;
            }
        }
        const int size = input.toInt(); // 0 when past an int
        return size >= kSmallestLabelFontSizePt && size <= kLargestLabelFontSizePt ? Acceptable : Invalid;
    }
};

QLineEdit* fontSizeEdit(QWidget* owner, const QString& name) {
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(name);
    edit->setValidator(new FontSizeValidator(edit));
    edit->setFixedWidth(kNumberEditWidthPx);
    return edit;
}

QLabel* label(QWidget* owner, const QString& controlName, const QString& caption) {
    auto* text = new QLabel(caption, owner);
    text->setObjectName(QStringLiteral("l") + controlName);
    return text;
}

QCheckBox* checkBox(QWidget* owner, const QString& name, const QString& caption) {
    auto* box = new QCheckBox(caption, owner);
    box->setObjectName(name);
    return box;
}

QComboBox* listCombo(QWidget* owner, const QString& name, std::span<const std::string_view> items) {
    auto* combo = new QComboBox(owner);
    combo->setObjectName(name);
    combo->setFixedWidth(kComboWidthPx);
    for (std::string_view item : items) {
        combo->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    }
    return combo;
}

// An edit with its unit after it, as one row of a form.
QWidget* withUnit(QWidget* owner, QWidget* edit, const char* unit) {
    auto* row = new QWidget(owner);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    layout->addWidget(new QLabel(QString::fromUtf8(unit), row));
    layout->addStretch();
    return row;
}

// The unit of a geodetic number field, by its settings key.
const char* geodeticUnit(std::string_view key) {
    if (key.ends_with("_Rotation")) {
        return "″";
    }
    if (key == "Scale_PPM") {
        return "ppm";
    }
    if (key == "InverseFlattening" || key == "Scale_Factor" || key == "eLCCSF") {
        return "";
    }
    if (key == "Central_Meridian" || key == "Reference_Latitude" || key == "eLCCSP1" || key == "eLCCSP2" ||
        key == "eLCCCP" || key == "eLCCM") {
        return "°";
    }
    return "m";
}

} // namespace

QComboBox* TFGPS::portCombo(const QString& name) {
    // The device each port name opens stands beside it (SERIAL_DEVICES, or the system's default).
    const IniDocument doc = settings_.load();
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->setFixedWidth(kComboWidthPx);
    for (std::string_view port : portChoiceLists().ports) {
        const int n = parseInt(port.substr(3)).value_or(1);
        const auto mapped = doc.value(kSerialDevicesSection, port);
        const std::string path = mapped && !mapped->empty() ? *mapped : defaultSerialDevicePath(n);
        combo->addItem(QStringLiteral("%1   %2").arg(QString::fromUtf8(port.data(), port.size()),
                                                     QString::fromStdString(path)),
                       QString::fromUtf8(port.data(), port.size()));
    }
    refuseUnsupported(combo, unsupportedPortChoice);
    return combo;
}

QWidget* TFGPS::buildPortTab(PortControls& c, const QString& prefix, const QString& portGroupTitle,
                             const QString& setCaption, QCheckBox* besideSet, QWidget* below) {
    const PortChoiceLists& lists = portChoiceLists();
    auto* page = new QWidget(this);

    auto* portGroup = new QGroupBox(portGroupTitle, page);
    portGroup->setObjectName(prefix + QStringLiteral("PortGroup"));
    auto* portForm = new QFormLayout(portGroup);
    c.port = portCombo(prefix + QStringLiteral("Port"));
    c.baudRate = listCombo(page, prefix + QStringLiteral("BaudRate"), lists.baudRates);
    refuseUnsupported(c.baudRate, unsupportedBaudRateChoice);
    c.dataWidth = listCombo(page, prefix + QStringLiteral("DataWidth"), lists.dataWidths);
    c.stopBits = listCombo(page, prefix + QStringLiteral("StopBits"), lists.stopBits);
    c.parity = listCombo(page, prefix + QStringLiteral("Parity"), lists.parities);
    const std::pair<QComboBox*, const char*> portRows[] = {{c.port, "Port No:"},
                                                           {c.baudRate, "Baud Rate"},
                                                           {c.dataWidth, "Data Width"},
                                                           {c.stopBits, "Stop Bits"},
                                                           {c.parity, "Parity"}};
    for (const auto& [combo, caption] : portRows) {
        portForm->addRow(label(page, combo->objectName(), QString::fromUtf8(caption)), combo);
    }

    auto* optional = new QGroupBox(QStringLiteral("Optional Settings"), page);
    optional->setObjectName(prefix + QStringLiteral("OptionalGroup"));
    auto* optionalForm = new QFormLayout(optional);
    c.priority = listCombo(page, prefix + QStringLiteral("Priority"), lists.priorities);
    c.delay = listCombo(page, prefix + QStringLiteral("Delay"), lists.delays);
    c.delay->setEditable(true); // any poll period in ms
    c.delay->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,6}")), c.delay));
    c.nmeaLog = listCombo(page, prefix + QStringLiteral("NMEALog"), lists.booleans);
    c.logTime = listCombo(page, prefix + QStringLiteral("LogTime"), lists.booleans);
    c.enableDTR = listCombo(page, prefix + QStringLiteral("EnableDTR"), lists.booleans);
    c.enableRTS = listCombo(page, prefix + QStringLiteral("EnableRTS"), lists.booleans);
    const std::pair<QComboBox*, const char*> optionalRows[] = {
        {c.priority, "Priority"}, {c.delay, "Delay"},          {c.nmeaLog, "NMEA Log"},
        {c.logTime, "Log Time"},  {c.enableDTR, "Enable DTR"}, {c.enableRTS, "Enable RTS"}};
    for (const auto& [combo, caption] : optionalRows) {
        optionalForm->addRow(label(page, combo->objectName(), QString::fromUtf8(caption)), combo);
    }
    c.delay->setToolTip(QStringLiteral("Poll period of the port, milliseconds"));

    c.set = new QPushButton(setCaption, page);
    c.set->setObjectName(prefix.isEmpty() ? QStringLiteral("GPSSet") : QStringLiteral("SensorSet"));
    c.set->setToolTip(QStringLiteral("Copies these choices into the port; they take effect when it opens"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(portGroup);
    groups->addWidget(optional);
    groups->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(groups);
    if (below) {
        layout->addWidget(below);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.set);
    buttons->addWidget(besideSet);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

QWidget* TFGPS::buildParametersTab() {
    auto* page = new QWidget(this);
    auto* pane = new QWidget(page); // the parameters, locked with the tab; the check never is
    pane->setObjectName(QStringLiteral("ParametersPane"));
    tabContents_.push_back(pane);

    std::map<std::string, QFormLayout*> groups;
    std::map<std::string, QGroupBox*> boxes;
    const auto group = [&](const char* title) {
        auto* box = new QGroupBox(QString::fromUtf8(title), pane);
        box->setObjectName(QStringLiteral("gb") + QString::fromUtf8(title).remove(QLatin1Char(' ')));
        auto* form = new QFormLayout(box);
        groups[title] = form;
        boxes[title] = box;
        return form;
    };
    QFormLayout* tm = group("TM Parameters");
    QFormLayout* datum = group("Datum");
    group("Ellipsoid");
    QFormLayout* shift = group("Transformation Parameters from WGS-84");
    QFormLayout* lcc = group("LCC Parameters");

    nameOfDatum_ = new QLineEdit(pane);
    nameOfDatum_->setObjectName(QStringLiteral("edNameOfDatum"));
    datum->addRow(label(pane, nameOfDatum_->objectName(), QStringLiteral("Name of Datum")), nameOfDatum_);
    useDTP_ = checkBox(pane, QStringLiteral("cbUseDTP"), QStringLiteral("Use DTP"));
    useDTP_->setEnabled(false); // the datum shift always applies
    datum->addRow(useDTP_);

    for (const GeodeticTextField& field : geodeticNumberFields()) {
        QLineEdit* edit = numberEdit(pane, QString::fromUtf8(field.control));
        geodeticEdits_.push_back(edit);
        groups.at(field.group)
            ->addRow(label(pane, edit->objectName(), QString::fromUtf8(field.caption)),
                     withUnit(pane, edit, geodeticUnit(field.key)));
    }
    useTM_ = checkBox(pane, QStringLiteral("cbUseTMProjection"), QStringLiteral("Use Projection"));
    tm->addRow(useTM_);
    useLCC_ = checkBox(pane, QStringLiteral("cbUseLCCProjection"), QStringLiteral("Use Projection"));
    lambert1_ = checkBox(pane, QStringLiteral("cLambert1"), QStringLiteral("Use Lambert 1"));
    lcc->addRow(useLCC_);
    lcc->addRow(lambert1_);
    auto* rotationsNote = new QLabel(pane);
    rotationsNote->setObjectName(QStringLiteral("lRotationsConvention"));
    shift->addRow(rotationsNote);

    // Three columns of parameters; the control-point check below them, the whole width for its table.
    const std::vector<std::vector<const char*>> columns = {
        {"TM Parameters", "Datum"},
        {"LCC Parameters"},
        {"Ellipsoid", "Transformation Parameters from WGS-84"}};
    auto* paneLayout = new QHBoxLayout(pane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    for (const auto& column : columns) {
        auto* stack = new QVBoxLayout;
        for (const char* title : column) {
            stack->addWidget(boxes.at(title));
        }
        stack->addStretch();
        paneLayout->addLayout(stack);
    }

    checkPanel_ = new ControlPointPanel([this] { return geodeticParameters(); }, page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pane);
    layout->addWidget(checkPanel_, 1);
    return page;
}

QWidget* TFGPS::buildGlobalTab() {
    auto* page = new QWidget(this);
    auto* grid = new QGroupBox(QStringLiteral("Grid Settings"), page);
    grid->setObjectName(QStringLiteral("gbGridSettings"));
    auto* gridForm = new QFormLayout(grid);
    gridVisible_ = checkBox(page, QStringLiteral("cbGridVisible"), QStringLiteral("Show Grid"));
    autoGrid_ = checkBox(page, QStringLiteral("cbAutoGrid"), QStringLiteral("Auto Scale"));
    gridSpacingX_ = numberEdit(page, QStringLiteral("edGridSpacingX"));
    gridSpacingY_ = numberEdit(page, QStringLiteral("edGridSpacingY"));
    gridColor_ = new ColorBox(page);
    gridColor_->setObjectName(QStringLiteral("cbGridColor"));
    gridColor_->setToolTip(QStringLiteral("Grid Color"));
    gridForm->addRow(gridVisible_);
    gridForm->addRow(autoGrid_);
    gridForm->addRow(label(page, gridSpacingX_->objectName(), QStringLiteral("Spacing X")),
                     withUnit(page, gridSpacingX_, "m"));
    gridForm->addRow(label(page, gridSpacingY_->objectName(), QStringLiteral("Spacing Y")),
                     withUnit(page, gridSpacingY_, "m"));
    gridForm->addRow(label(page, gridColor_->objectName(), QStringLiteral("Grid Color")), gridColor_);

    auto* depth = new QGroupBox(QStringLiteral("Depth Labels"), page);
    depth->setObjectName(QStringLiteral("gbDepthLabels"));
    auto* depthForm = new QFormLayout(depth);
    showDepthLabels_ =
        checkBox(page, QStringLiteral("cbShowDepthLabels"), QStringLiteral("Show Depth Labels"));
    depthLabelSpacing_ = numberEdit(page, QStringLiteral("edDepthLabelSpacing"));
    depthLabelFontName_ = new QLineEdit(page);
    depthLabelFontName_->setObjectName(QStringLiteral("edDepthLabelFontName"));
    depthLabelFontSize_ = fontSizeEdit(page, QStringLiteral("edDepthLabelFontSize"));
    textColor_ = new ColorBox(page);
    textColor_->setObjectName(QStringLiteral("cbTextColor"));
    textColor_->setToolTip(QStringLiteral("Depth Label Color"));
    depthForm->addRow(showDepthLabels_);
    depthForm->addRow(label(page, depthLabelSpacing_->objectName(), QStringLiteral("Label Spacing (m)")),
                      depthLabelSpacing_);
    depthForm->addRow(label(page, depthLabelFontName_->objectName(), QStringLiteral("Font")),
                      depthLabelFontName_);
    depthForm->addRow(label(page, depthLabelFontSize_->objectName(), QStringLiteral("Font Size")),
                      depthLabelFontSize_);
    depthForm->addRow(label(page, textColor_->objectName(), QStringLiteral("Color")), textColor_);

    auto* events = new QGroupBox(QStringLiteral("Event Labels"), page);
    events->setObjectName(QStringLiteral("gbEventLabels"));
    auto* eventForm = new QFormLayout(events);
    eventLabelFontSize_ = fontSizeEdit(page, QStringLiteral("edEventLabelFontSize"));
    eventLabelColor_ = new ColorBox(page);
    eventLabelColor_->setObjectName(QStringLiteral("cbEventLabelColor"));
    eventLabelColor_->setToolTip(QStringLiteral("Event Label Color"));
    eventForm->addRow(label(page, eventLabelFontSize_->objectName(), QStringLiteral("Font Size")),
                      eventLabelFontSize_);
    eventForm->addRow(label(page, eventLabelColor_->objectName(), QStringLiteral("Color")), eventLabelColor_);

    applySettings_ = new QPushButton(QStringLiteral("Apply Settings"), page);
    applySettings_->setObjectName(QStringLiteral("btnApplySettings"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(grid);
    groups->addWidget(depth);
    groups->addWidget(events, 0, Qt::AlignTop);
    groups->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(groups);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(applySettings_);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

QWidget* TFGPS::buildMonitorTab() {
    auto* page = new QWidget(this);
    const auto memo = [page](const QString& name) {
        auto* text = new QPlainTextEdit(page);
        text->setObjectName(name);
        text->setReadOnly(true);
        text->setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 9));
        return text;
    };
    memoGps_ = memo(QStringLiteral("MemoGPS"));
    memoSensor_ = memo(QStringLiteral("MemoSensor"));
    memoSensor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(memoGps_);
    layout->addWidget(memoSensor_);
    return page;
}

void TFGPS::buildForm() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    gyroEnabled_ = checkBox(this, QStringLiteral("GyroEnabled"), QStringLiteral("Enable Gyro"));
    QWidget* gpsPage = buildPortTab(gps_, QString(), QStringLiteral("GPS Port Settings"),
                                    QStringLiteral("GPS Set"), gyroEnabled_, nullptr);
    gpsPage->setObjectName(QStringLiteral("GPSTabSheet"));
    tabContents_.push_back(gpsPage);
    tabs_->addTab(gpsPage, QStringLiteral("GPS Settings"));

    sensorEnabled_ = checkBox(this, QStringLiteral("SensorEnabled"), QStringLiteral("Sensor Enabled"));
    auto* message = new QGroupBox(QStringLiteral("SBES Message"), this);
    message->setObjectName(QStringLiteral("gbSBESMessage"));
    auto* messageForm = new QFormLayout(message);
    sbesMessage_ = new QComboBox(message);
    sbesMessage_->setObjectName(QStringLiteral("cSBESMessage"));
    sbesMessage_->setFixedWidth(kComboWidthPx);
    for (const EchosounderFormat& format : echosounderFormats()) {
        sbesMessage_->addItem(
            QString::fromUtf8(format.name.data(), static_cast<qsizetype>(format.name.size())));
    }
    sbesFormat_ = new QLineEdit(message);
    sbesFormat_->setObjectName(QStringLiteral("eSBESFormat"));
    sbesFormat_->setToolTip(
        QStringLiteral("scanf-style format of the message: %lf for each value read, %* for "
                       "parts skipped"));
    formatHint_ = new QLabel(message);
    formatHint_->setObjectName(QStringLiteral("lFormatHint"));
    messageForm->addRow(label(message, sbesMessage_->objectName(), QStringLiteral("Message")), sbesMessage_);
    messageForm->addRow(label(message, sbesFormat_->objectName(), QStringLiteral("Format")), sbesFormat_);
    messageForm->addRow(formatHint_);
    QWidget* sensorPage =
        buildPortTab(sensor_, QStringLiteral("S"), QStringLiteral("NMEA Sensor Port Settings"),
                     QStringLiteral("SBES Set"), sensorEnabled_, message);
    sensorPage->setObjectName(QStringLiteral("SensorTabSheet"));
    tabContents_.push_back(sensorPage);
    tabs_->addTab(sensorPage, QStringLiteral("Sensor (SBES) Settings"));

    QWidget* parameters = buildParametersTab();
    parameters->setObjectName(QStringLiteral("ParametersTabSheet"));
    tabs_->addTab(parameters, QStringLiteral("Godetic Parameters"));

    QWidget* global = buildGlobalTab();
    global->setObjectName(QStringLiteral("tGlobalSetting"));
    tabContents_.push_back(global);
    tabs_->addTab(global, QStringLiteral("Global Setting"));

    QWidget* monitor = buildMonitorTab();
    monitor->setObjectName(QStringLiteral("MonitorTabSheet"));
    tabContents_.push_back(monitor);
    tabs_->addTab(monitor, QStringLiteral("I/O Port Monitor"));

    lockBox_ = checkBox(this, QStringLiteral("LockStateCheck1"), QStringLiteral("Save and lock settings"));
    lockBox_->setToolTip(QStringLiteral("Writes every setting to the settings file and locks the tabs; "
                                        "untick to change them again"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("btClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lockBox_);
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(bottom);
    resize(kWindowWidthPx, kWindowHeightPx);
}

} // namespace selvir
