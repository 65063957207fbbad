#include "windows/TfSVP.h"

#include "core/IniDocument.h"
#include "core/SvpTableFiles.h"
#include "tools/SvpAutoDetect.h"
#include "tools/SvpTexts.h"
#include "windows/CaptionSet.h"
#include "windows/TFNav.h"
#include "windows/TfSVPGraph.h"
#include "windows/WidgetPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace selvir {

namespace {

constexpr std::string_view kSection = "SVP";
constexpr std::string_view kWindowName = "fSVP";
const QString kFileFilter = QStringLiteral("Sound Velocity File [*.*]|*.*");
// The captions of the four tables, left to right (named as their files: svpTableName).
constexpr const char* kTableCaptions[4] = {"Source SVP Data", "Raw SV values", "Averaged SV Values",
                                           "SV Column"};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

bool allBlank(const std::vector<std::string>& lines) {
    return std::all_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find_first_not_of(" \t\r") == std::string::npos;
    });
}

} // namespace

TfSVP::TfSVP(ProfileStore& settings, DataFolders folders, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint), settings_(settings),
      folders_(std::move(folders)), fileFilter_(kFileFilter) {
    setObjectName(QString::fromUtf8(kWindowName.data(), static_cast<qsizetype>(kWindowName.size())));
    setWindowTitle(QStringLiteral("Sound Velocity"));
    resize(1120, 620);
    buildControls();
    readKeys();
    loadSavedTables();
    setSaveEnabled(false);
}

TfSVP::~TfSVP() = default;

void TfSVP::buildControls() {
    parameters_ = new QGroupBox(QStringLiteral("Parameters"), this);
    parameters_->setToolTip(QStringLiteral("Right-click for Defaults and Auto Dedetct"));
    auto* grid = new QGridLayout(parameters_);
    load_ = new QPushButton(QStringLiteral("SVP"), parameters_);
    load_->setObjectName(QStringLiteral("BitBtn1"));
    load_->setToolTip(QStringLiteral("Load a sound velocity file"));
    searchCaption_ = new QLabel(QStringLiteral("Format Identifier for SV && P"), parameters_);
    searchString_ = new QLineEdit(parameters_);
    searchString_->setObjectName(QStringLiteral("eSearchString"));
    searchString_->setToolTip(QStringLiteral("Double-click for the default"));
    searchCaption_->setBuddy(searchString_); // a label with a buddy shows "&&" as "&"
    maxDepthCaption_ = new QLabel(QStringLiteral("Max Depth"), parameters_);
    maxDepth_ = new QLineEdit(parameters_);
    maxDepth_->setObjectName(QStringLiteral("eMaxDepth"));
    maxDepth_->setMaximumWidth(70);
    svFirst_ = new QRadioButton(QStringLiteral("SV first"), parameters_);
    svFirst_->setObjectName(QStringLiteral("rSVFirst"));
    depthFirst_ = new QRadioButton(QStringLiteral("Depth first"), parameters_);
    depthFirst_->setObjectName(QStringLiteral("rDFirst"));
    useSvp_ = new QCheckBox(QStringLiteral("Use Sound Velocity Profile"), parameters_);
    useSvp_->setObjectName(QStringLiteral("cUseSVP"));
    source_ = new QLabel(parameters_);
    source_->setObjectName(QStringLiteral("lSource"));
    source_->setWordWrap(true);
    probeColumns_ = new QCheckBox(QStringLiteral("Read columns by name"), parameters_);
    probeColumns_->setObjectName(QStringLiteral("cProbeColumns"));
    probeColumns_->setToolTip(
        QStringLiteral("Take depth and sound velocity from the probe file's named columns; "
                       "untick to read every line with the format identifier"));
    downCast_ = new QCheckBox(QStringLiteral("Down cast only"), parameters_);
    downCast_->setObjectName(QStringLiteral("cDownCast"));
    downCast_->setChecked(true);
    downCast_->setToolTip(QStringLiteral("Cut a cast that turns back up at its deepest point"));

    grid->addWidget(load_, 0, 0);
    grid->addWidget(searchCaption_, 0, 1);
    grid->addWidget(searchString_, 0, 2);
    grid->addWidget(maxDepthCaption_, 0, 3);
    grid->addWidget(maxDepth_, 0, 4);
    grid->addWidget(svFirst_, 0, 5);
    grid->addWidget(depthFirst_, 0, 6);
    grid->addWidget(useSvp_, 0, 7);
    grid->addWidget(source_, 1, 0, 1, 5);
    grid->addWidget(probeColumns_, 1, 5, 1, 2);
    grid->addWidget(downCast_, 1, 7);
    grid->setColumnStretch(2, 1);

    popup_ = new QMenu(this);
    defaults_ = popup_->addAction(QStringLiteral("Defaults"));
    defaults_->setObjectName(QStringLiteral("Defaults1"));
    autoDetect_ = popup_->addAction(QStringLiteral("Auto Dedetct"));
    autoDetect_->setObjectName(QStringLiteral("AutoDetect1"));
    parameters_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(parameters_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(parameters_->mapToGlobal(at)); });
    connect(defaults_, &QAction::triggered, this, [this] { DefaultsClick(); });
    connect(autoDetect_, &QAction::triggered, this, [this] { AutoDetectClick(); });

    auto* tables = new QHBoxLayout;
    const char* stepNames[3] = {"bRawToSVV", "bSVVtoAveragedSV", "bAveragedSVtoSVP"};
    const char* stepTips[3] = {"Extract the samples", "Average per metre", "Build the SV column"};
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int i = 0; i < 4; ++i) {
        auto* column = new QVBoxLayout;
        captions_[i] = new QLabel(QString::fromUtf8(kTableCaptions[i]), this);
        tables_[i] = new QPlainTextEdit(this);
        const std::string_view name = svpTableName(kSvpTables[static_cast<std::size_t>(i)]);
        tables_[i]->setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        tables_[i]->setLineWrapMode(QPlainTextEdit::NoWrap);
        tables_[i]->setFont(fixed);
        column->addWidget(captions_[i]);
        column->addWidget(tables_[i], 1);
        tables->addLayout(column, i == 0 ? 3 : 2);
        if (i < 3) {
            steps_[i] = new QToolButton(this);
            steps_[i]->setObjectName(QString::fromUtf8(stepNames[i]));
            steps_[i]->setArrowType(Qt::RightArrow);
            steps_[i]->setToolTip(QString::fromUtf8(stepTips[i]));
            steps_[i]->setMinimumSize(28, 48);
            tables->addWidget(steps_[i]);
        }
    }
    connect(steps_[0], &QToolButton::clicked, this, [this] { bRawToSVVClick(); });
    connect(steps_[1], &QToolButton::clicked, this, [this] { bSVVtoAveragedSVClick(); });
    connect(steps_[2], &QToolButton::clicked, this, [this] { bAveragedSVtoSVPClick(); });

    auto* bottom = new QHBoxLayout;
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lStatus"));
    graph_ = new QPushButton(QStringLiteral("Graph"), this);
    graph_->setObjectName(QStringLiteral("bGraph"));
    saveClose_ = new QPushButton(QStringLiteral("Save && Close"), this);
    saveClose_->setObjectName(QStringLiteral("bSaveClose"));
    bottom->addWidget(status_, 1);
    bottom->addWidget(graph_);
    bottom->addWidget(saveClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(parameters_);
    layout->addLayout(tables, 1);
    layout->addLayout(bottom);

    connect(load_, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(graph_, &QPushButton::clicked, this, [this] { bGraphClick(); });
    connect(saveClose_, &QPushButton::clicked, this, [this] { bSaveCloseClick(); });
    connect(searchString_, &QLineEdit::textEdited, this, [this] { useSearchString(); });
    searchString_->installEventFilter(this);
    connect(useSvp_, &QCheckBox::toggled, this, [this](bool used) {
        settings_.writeBool(kSection, "cUseSVP", used);
        emit UseSoundVelocityProfileChanged(used);
    });
    ApplyEnglishCaptions();
}

bool TfSVP::eventFilter(QObject* watched, QEvent* event) {
    if (watched == searchString_ && event->type() == QEvent::MouseButtonDblClick) {
        searchString_->setText(QString::fromUtf8(kDefaultSearchString.data(),
                                                 static_cast<qsizetype>(kDefaultSearchString.size())));
        useSearchString();
    }
    return QWidget::eventFilter(watched, event);
}

void TfSVP::readKeys() {
    const QSignalBlocker quiet(useSvp_);
    useSvp_->setChecked(settings_.readBool(kSection, "cUseSVP", true));
    searchString_->setText(qt(settings_.readString(kSection, "eSearchString", kDefaultSearchString)));
    maxDepth_->setText(qt(settings_.readString(kSection, "eMaxDepth", kDefaultMaxDepth)));
    const bool svFirst = settings_.readBool(kSection, "rSVFirst", true);
    const bool depthFirst = settings_.readBool(kSection, "rDFirst", false);
    (depthFirst && !svFirst ? depthFirst_ : svFirst_)->setChecked(true);
}

void TfSVP::writeKeys() {
    settings_.update([this](IniDocument& doc) {
        doc.setValue(kSection, "cUseSVP", useSvp_->isChecked() ? "1" : "0");
        doc.setValue(kSection, "eSearchString", searchString_->text().toStdString());
        doc.setValue(kSection, "eMaxDepth", maxDepth_->text().toStdString());
        doc.setValue(kSection, "rSVFirst", svFirst_->isChecked() ? "1" : "0");
        doc.setValue(kSection, "rDFirst", depthFirst_->isChecked() ? "1" : "0");
    });
}

void TfSVP::loadSavedTables() {
    bool any = false;
    for (std::size_t i = 0; i < kSvpTables.size(); ++i) {
        std::vector<std::string> saved;
        if (readSvpTable(folders_, kSvpTables[i], saved)) {
            showLines(tables_[i], saved);
            any = true;
        }
    }
    if (any) {
        status_->setText(QStringLiteral("The tables saved today are loaded."));
    }
    recogniseSource(false);
}

bool TfSVP::UseSoundVelocityProfile() const {
    return useSvp_->isChecked();
}

void TfSVP::ShowWindow() {
    restoreWidgetPlacement(settings_, kWindowName, *this, false);
    show();
    raise();
    activateWindow();
}

void TfSVP::SavePlacement() {
    saveWidgetPlacement(settings_, kWindowName, *this);
}

bool TfSVP::SaveTables(std::string* error) {
    // Nothing loaded and nothing saved before: no empty files at every layout save.
    const bool nothing =
        std::all_of(std::begin(tables_), std::end(tables_),
                    [](const QPlainTextEdit* table) { return table->toPlainText().isEmpty(); }) &&
        std::none_of(kSvpTables.begin(), kSvpTables.end(),
                     [this](SvpTable table) { return !existingSvpTableFile(folders_, table).empty(); });
    if (nothing) {
        return true;
    }
    for (std::size_t i = 0; i < kSvpTables.size(); ++i) {
        if (!writeSvpTable(folders_, kSvpTables[i], lines(tables_[i]), error)) {
            return false;
        }
    }
    return true;
}

void TfSVP::ApplyEnglishCaptions() {
    // Through the interface language's translations (CaptionSet.h), as every window's part of the set.
    setWindowTitle(translatedCaption(*this, "Sound Velocity"));
    depthFirst_->setText(translatedCaption(*this, "First Depth"));
    svFirst_->setText(translatedCaption(*this, "First SV"));
    searchCaption_->setText(translatedCaption(*this, "Format Identifier for SV && P"));
    maxDepthCaption_->setText(translatedCaption(*this, "Max Depth"));
    for (int i = 0; i < 4; ++i) {
        captions_[i]->setText(translatedCaption(*this, kTableCaptions[i]));
    }
    load_->setText(translatedCaption(*this, "SVP"));
    useSvp_->setText(translatedCaption(*this, "Use Sound Velocity Profile"));
    saveClose_->setText(translatedCaption(*this, "Save && Close"));
    fileFilter_ = kFileFilter;
    defaults_->setText(translatedCaption(*this, "Default Values"));
    autoDetect_->setText(translatedCaption(*this, "Auto Dedetct"));
    parameters_->setTitle(translatedCaption(*this, "Parameters"));
    parameters_->setToolTip(translatedCaption(*this, "Right-click for Defaults and Auto Dedetct"));
    probeColumns_->setText(translatedCaption(*this, "Read columns by name"));
    downCast_->setText(translatedCaption(*this, "Down cast only"));
    graph_->setText(translatedCaption(*this, "Graph"));
    // A new text puts its own mnemonic in place of the button's key.
    graph_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    graph_->setToolTip(translatedCaption(*this, "Edit the averaged values in the graph (Ctrl+G)"));
}

std::vector<std::string> TfSVP::lines(const QPlainTextEdit* table) const {
    std::vector<std::string> out;
    const QString text = table->toPlainText();
    if (text.isEmpty()) {
        return out;
    }
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        out.push_back(line.toStdString());
    }
    return out;
}

void TfSVP::showLines(QPlainTextEdit* table, const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size()) {
            text += '\n';
        }
    }
    table->setPlainText(qt(text));
}

void TfSVP::setSaveEnabled(bool enabled) {
    saveClose_->setEnabled(enabled);
}

void TfSVP::say(const std::string& message) {
    if (showMessage) {
        showMessage(qt(message));
        return;
    }
    QMessageBox::information(this, windowTitle(), qt(message));
}

OutOfRangeAnswer TfSVP::ask(const std::string& message) {
    if (askOutOfRange) {
        return askOutOfRange(qt(message));
    }
    QMessageBox box(QMessageBox::Warning, windowTitle(), qt(message), QMessageBox::Ok | QMessageBox::Cancel,
                    this);
    QPushButton* skipAll = box.addButton(QStringLiteral("Skip All"), QMessageBox::ActionRole);
    box.exec();
    if (box.clickedButton() == skipAll) {
        return OutOfRangeAnswer::SkipAll;
    }
    return box.clickedButton() == box.button(QMessageBox::Ok) ? OutOfRangeAnswer::Skip
                                                              : OutOfRangeAnswer::Stop;
}

std::optional<int> TfSVP::maxDepthOrSay() {
    const auto depth = parseMaxDepth(maxDepth_->text().toStdString());
    if (!depth) {
        say(svptext::maxDepthInvalid(turkish()));
        maxDepth_->setFocus();
    }
    return depth;
}

void TfSVP::recogniseSource(bool reportFaults) {
    cast_.reset();
    probeColumns_->setChecked(false);
    probeColumns_->setEnabled(false);
    const std::vector<std::string> source = lines(tables_[0]);
    if (allBlank(source)) {
        source_->clear();
        return;
    }
    const ProbeReadResult read =
        readProbeFile(source, lastFixLatitude ? lastFixLatitude() : std::optional<double>());
    if (!read.recognised) {
        source_->setText(QStringLiteral("Not a recognised probe file: read with the format identifier."));
        return;
    }
    if (read.fault != ProbeReadResult::Fault::None) {
        const std::string why = svptext::probeFault(read.cast.format, read.fault, turkish());
        source_->setText(qt(why));
        if (reportFaults) {
            say(why);
        }
        return;
    }
    cast_ = read.cast;
    probeColumns_->setEnabled(true);
    probeColumns_->setChecked(true);
    QString text = qt(describeProbeCast(read.cast));
    if (read.cast.unusableRows > 0) {
        text += QStringLiteral("; %1 rows without usable values").arg(read.cast.unusableRows);
    }
    source_->setText(text);
}

void TfSVP::useSearchString() {
    probeColumns_->setChecked(false);
}

void TfSVP::BitBtn1Click() {
    const QString file = chooseFile ? chooseFile(fileFilter_)
                                    : QFileDialog::getOpenFileName(this, QStringLiteral("Dialog Open"),
                                                                   QString(), qtFileFilter(fileFilter_));
    if (file.isEmpty()) {
        return;
    }
    std::vector<std::string> source;
    switch (readSoundVelocityFile(std::filesystem::path(file.toStdString()), source)) {
    case SoundVelocityFileRead::Read:
        break;
    case SoundVelocityFileRead::TooLarge:
        say(svptext::fileTooLarge(file.toStdString(), turkish()));
        return;
    case SoundVelocityFileRead::Unreadable:
        say(svptext::fileUnreadable(file.toStdString(), turkish()));
        return;
    }
    for (QPlainTextEdit* table : tables_) {
        table->clear();
    }
    showLines(tables_[0], source);
    setSaveEnabled(false);
    status_->setText(QStringLiteral("Loaded %1").arg(file));
    recogniseSource(true);
}

void TfSVP::bRawToSVVClick() {
    for (int i = 1; i < 4; ++i) {
        tables_[i]->clear();
    }
    setSaveEnabled(false);
    const OutOfRangeQuestion question = [this](double velocity, int line) {
        return ask(svptext::sampleOutOfRange(velocity, line, turkish()));
    };
    RawExtraction raw;
    QString notes;
    if (probeColumns_->isChecked()) {
        // The table as it stands now, not as it was loaded: lines the surveyor mended or cut count.
        recogniseSource(true);
    }
    if (cast_ && probeColumns_->isChecked()) {
        std::vector<ProbeSample> samples = cast_->samples;
        if (downCast_->isChecked()) {
            const int dropped = keepDownCast(samples);
            if (dropped > 0) {
                notes += QStringLiteral("; up cast cut: %1 samples after the deepest point").arg(dropped);
            }
        }
        if (const auto from = extendToSurface(samples)) {
            notes += QStringLiteral("; 0 m takes the velocity found at %1 m").arg(*from, 0, 'f', 2);
        }
        raw = extractRawValues(samples, question);
    } else {
        raw = extractRawValues(lines(tables_[0]), searchString_->text().toStdString(), svFirst_->isChecked(),
                               question);
        if (!raw.patternError.empty()) {
            say(svptext::searchStringInvalid(raw.patternError, turkish()));
            return;
        }
    }
    showLines(tables_[1], raw.lines);
    status_->setText(QStringLiteral("%1 samples taken, %2 outside 1350 … 1600 m/s skipped%3%4")
                         .arg(raw.lines.size())
                         .arg(raw.refused)
                         .arg(raw.stopped ? QStringLiteral(", stopped") : QString())
                         .arg(notes));
    if (raw.lines.empty() && !raw.stopped) {
        say(svptext::noSamplesRead(turkish()));
    }
}

void TfSVP::bSVVtoAveragedSVClick() {
    const auto maxDepth = maxDepthOrSay();
    if (!maxDepth) {
        return;
    }
    const Averaging averaged = averageIntoBins(lines(tables_[1]), *maxDepth);
    showLines(tables_[2], averaged.lines);
    tables_[3]->clear();
    setSaveEnabled(false);
    QString text = QStringLiteral("%1 bins with samples, deepest %2 m")
                       .arg(averaged.binsWithSamples)
                       .arg(averaged.deepestBin);
    if (averaged.droppedSamples > 0) {
        text += QStringLiteral(", %1 samples outside 0 … %2 m left out")
                    .arg(averaged.droppedSamples)
                    .arg(*maxDepth - 1);
    }
    status_->setText(text);
}

void TfSVP::bAveragedSVtoSVPClick() {
    const auto maxDepth = maxDepthOrSay();
    if (!maxDepth) {
        return;
    }
    tables_[3]->clear();
    const SvColumn column = buildSvColumn(lines(tables_[2]), *maxDepth);
    if (column.fault != SvColumn::Fault::None) {
        setSaveEnabled(false);
        say(column.fault == SvColumn::Fault::SurfaceBinEmpty
                ? svptext::surfaceBinEmpty(turkish())
                : svptext::columnOutOfRange(column.faultBin, turkish()));
        return;
    }
    showLines(tables_[3], column.lines);
    setSaveEnabled(true);
    useSvp_->setChecked(true);
    QString text = QStringLiteral("SV column built for 0 … %1 m").arg(*maxDepth - 1);
    if (column.interpolatedBins > 0) {
        text += QStringLiteral(", %1 empty bins interpolated").arg(column.interpolatedBins);
    }
    status_->setText(text);
}

void TfSVP::bGraphClick() {
    const std::vector<std::string> averaged = lines(tables_[2]);
    if (allBlank(averaged)) {
        say(svptext::graphNoData());
        return;
    }
    // Made afresh, in the language in force now.
    graphWindow_ = std::make_unique<TfSVPGraph>(this);
    graphWindow_->Load(averaged);
    const int result = runGraph ? runGraph(*graphWindow_) : graphWindow_->exec();
    if (result != QDialog::Accepted || !graphWindow_->Model().dataChanged()) {
        return;
    }
    showLines(tables_[2], graphWindow_->Model().averagedLines());
    tables_[3]->clear();
    setSaveEnabled(false);
    say(svptext::graphDataUpdated());
}

void TfSVP::bSaveCloseClick() {
    if (runMainSave) {
        runMainSave();
    }
    std::string error;
    if (!SaveTables(&error)) {
        say(svptext::tablesNotSaved(error, turkish()));
        return;
    }
    if (tablesSaved) {
        tablesSaved();
    }
    close();
}

void TfSVP::AutoDetectClick() {
    const std::vector<std::string> source = lines(tables_[0]);
    if (allBlank(source)) {
        say(svptext::autoDetectNoData());
        return;
    }
    const SearchStringDetection detection = detectSearchString(source);
    if (!detection.found) {
        say(svptext::autoDetectNoHeader());
        return;
    }
    searchString_->setText(qt(detection.searchString));
    (detection.velocityFirst ? svFirst_ : depthFirst_)->setChecked(true);
    useSearchString();
    say(svptext::autoDetectReport(detection, turkish()));
}

void TfSVP::DefaultsClick() {
    searchString_->setText(
        QString::fromUtf8(kDefaultSearchString.data(), static_cast<qsizetype>(kDefaultSearchString.size())));
    maxDepth_->setText(
        QString::fromUtf8(kDefaultMaxDepth.data(), static_cast<qsizetype>(kDefaultMaxDepth.size())));
    svFirst_->setChecked(true);
}

void TfSVP::closeEvent(QCloseEvent* event) {
    writeKeys();
    QWidget::closeEvent(event);
}

} // namespace selvir
