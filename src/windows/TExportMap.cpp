#include "windows/TExportMap.h"

#include "canvas/MapExport.h"
#include "canvaswidget/TSelvirCanvas.h"
#include "core/NumberFormat.h"
#include "layoutfiles/MapReportInputs.h"
#include "windows/CaptionSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace selvir {
namespace {

QString numberText(double value) {
    return QString::fromStdString(formatFixed(value, 3));
}

} // namespace

QLineEdit* TExportMap::addField(const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromUtf8(name));
    return edit;
}

TExportMap::TExportMap(TSelvirCanvas& canvas, std::filesystem::path settingsFile,
                       std::filesystem::path dataRoot, const Clock& clock, QWidget* owner)
    : QDialog(owner), canvas_(canvas), settingsFile_(std::move(settingsFile)), dataRoot_(std::move(dataRoot)),
      clock_(clock) {
    setObjectName(QStringLiteral("TExportMap"));
    onError = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
    onDone = [this](const QString& text) { QMessageBox::information(this, windowTitle(), text); };

    auto label = [this](const char* caption) {
        auto* l = new QLabel(this);
        labels_.emplace_back(l, caption);
        return l;
    };
    auto* column = new QVBoxLayout(this);

    auto* fileBox = new QGroupBox(this);
    fileBox->setObjectName(QStringLiteral("gbFile"));
    auto* fileGrid = new QGridLayout(fileBox);
    edFileName_ = addField("edFileName");
    btBrowse_ = new QPushButton(this);
    btBrowse_->setObjectName(QStringLiteral("btBrowse"));
    fileGrid->addWidget(label("File (.png or .pdf)"), 0, 0);
    fileGrid->addWidget(edFileName_, 0, 1, 1, 3);
    fileGrid->addWidget(btBrowse_, 0, 4);
    seWidth_ = new QSpinBox(this);
    seWidth_->setObjectName(QStringLiteral("seWidth"));
    seHeight_ = new QSpinBox(this);
    seHeight_->setObjectName(QStringLiteral("seHeight"));
    for (QSpinBox* side : {seWidth_, seHeight_}) {
        side->setRange(kMapSmallestSidePx, kMapLargestSidePx);
        side->setSingleStep(100);
    }
    seWidth_->setValue(kMapDefaultPngSizePx.width());
    seHeight_->setValue(kMapDefaultPngSizePx.height());
    cbPdfA4_ = new QCheckBox(this);
    cbPdfA4_->setObjectName(QStringLiteral("cbPdfA4"));
    cbPdfA4_->setChecked(true);
    fileGrid->addWidget(label("Width (px)"), 1, 0);
    fileGrid->addWidget(seWidth_, 1, 1);
    fileGrid->addWidget(label("Height (px)"), 1, 2);
    fileGrid->addWidget(seHeight_, 1, 3);
    fileGrid->addWidget(cbPdfA4_, 2, 0, 1, 5);
    column->addWidget(fileBox);

    auto* windowBox = new QGroupBox(this);
    windowBox->setObjectName(QStringLiteral("gbWindow"));
    auto* windowGrid = new QGridLayout(windowBox);
    rbCurrentView_ = new QRadioButton(this);
    rbCurrentView_->setObjectName(QStringLiteral("rbCurrentView"));
    rbCurrentView_->setChecked(true);
    rbWindow_ = new QRadioButton(this);
    rbWindow_->setObjectName(QStringLiteral("rbWindow"));
    edLeft_ = addField("edLeft");
    edTop_ = addField("edTop");
    edRight_ = addField("edRight");
    edBottom_ = addField("edBottom");
    btPick_ = new QPushButton(this);
    btPick_->setObjectName(QStringLiteral("btPick"));
    windowGrid->addWidget(rbCurrentView_, 0, 0, 1, 2);
    windowGrid->addWidget(rbWindow_, 1, 0, 1, 2);
    windowGrid->addWidget(btPick_, 1, 2, 1, 2);
    windowGrid->addWidget(label("Left (E)"), 2, 0);
    windowGrid->addWidget(edLeft_, 2, 1);
    windowGrid->addWidget(label("Right (E)"), 2, 2);
    windowGrid->addWidget(edRight_, 2, 3);
    windowGrid->addWidget(label("Top (N)"), 3, 0);
    windowGrid->addWidget(edTop_, 3, 1);
    windowGrid->addWidget(label("Bottom (N)"), 3, 2);
    windowGrid->addWidget(edBottom_, 3, 3);
    column->addWidget(windowBox);

    auto* titleBox = new QGroupBox(this);
    titleBox->setObjectName(QStringLiteral("gbTitleBlock"));
    auto* titleGrid = new QGridLayout(titleBox);
    edTitle_ = addField("edTitle");
    edDate_ = addField("edDate");
    edLocation_ = addField("edLocation");
    edVessel_ = addField("edVessel");
    edSurveyor_ = addField("edSurveyor");
    edDatum_ = addField("edDatum");
    edProjection_ = addField("edProjection");
    const std::pair<const char*, QLineEdit*> titleFields[] = {
        {"Title", edTitle_},       {"Date", edDate_},   {"Location", edLocation_},     {"Vessel", edVessel_},
        {"Surveyor", edSurveyor_}, {"Datum", edDatum_}, {"Projection", edProjection_},
    };
    int row = 0;
    for (const auto& [caption, edit] : titleFields) {
        titleGrid->addWidget(label(caption), row, 0);
        titleGrid->addWidget(edit, row, 1);
        ++row;
    }
    column->addWidget(titleBox);

    auto* surveyRow = new QHBoxLayout();
    cbSoundings_ = new QCheckBox(this);
    cbSoundings_->setObjectName(QStringLiteral("cbSoundings"));
    edSurvey_ = addField("edSurvey");
    btSurveyBrowse_ = new QPushButton(this);
    btSurveyBrowse_->setObjectName(QStringLiteral("btSurveyBrowse"));
    surveyRow->addWidget(cbSoundings_);
    surveyRow->addWidget(edSurvey_, 1);
    surveyRow->addWidget(btSurveyBrowse_);
    column->addLayout(surveyRow);

    auto* buttons = new QHBoxLayout();
    btExport_ = new QPushButton(this);
    btExport_->setObjectName(QStringLiteral("btExport"));
    btExport_->setDefault(true);
    btClose_ = new QPushButton(this);
    btClose_->setObjectName(QStringLiteral("btClose"));
    buttons->addStretch(1);
    buttons->addWidget(btExport_);
    buttons->addWidget(btClose_);
    column->addLayout(buttons);

    connect(btBrowse_, &QPushButton::clicked, this, [this] { chooseFile(); });
    connect(btSurveyBrowse_, &QPushButton::clicked, this, [this] { chooseSurvey(); });
    connect(btPick_, &QPushButton::clicked, this, [this] { btPickClick(); });
    connect(btExport_, &QPushButton::clicked, this, [this] { btExportClick(); });
    connect(btClose_, &QPushButton::clicked, this, &QDialog::hide);
    EnglishCaptions();
}

void TExportMap::EnglishCaptions() {
    setWindowTitle(translatedCaption(*this, "Export Map"));
    for (const auto& [widget, caption] : labels_) {
        widget->setText(translatedCaption(*this, caption));
    }
    findChild<QGroupBox*>(QStringLiteral("gbFile"))->setTitle(translatedCaption(*this, "File and size"));
    findChild<QGroupBox*>(QStringLiteral("gbWindow"))->setTitle(translatedCaption(*this, "Map window"));
    findChild<QGroupBox*>(QStringLiteral("gbTitleBlock"))->setTitle(translatedCaption(*this, "Title block"));
    btBrowse_->setText(translatedCaption(*this, "Browse..."));
    cbPdfA4_->setText(
        translatedCaption(*this, "PDF on an A4 landscape page (otherwise width x height at 96 dpi)"));
    rbCurrentView_->setText(translatedCaption(*this, "Current view"));
    rbWindow_->setText(translatedCaption(*this, "Window"));
    btPick_->setText(translatedCaption(*this, "Drag on Map"));
    cbSoundings_->setText(translatedCaption(*this, "Soundings from survey file"));
    btSurveyBrowse_->setText(translatedCaption(*this, "Browse..."));
    btExport_->setText(translatedCaption(*this, "Export"));
    btClose_->setText(translatedCaption(*this, "Close"));
}

void TExportMap::fillTitleBlock() {
    const LocalDate today = clock_.now().date;
    const MapTitle title = readMapTitle(ProfileStore(settingsFile_), today);
    edDate_->setText(title.date);
    edLocation_->setText(title.location);
    edVessel_->setText(title.vessel);
    edSurveyor_->setText(title.surveyor);
    edDatum_->setText(title.datum);
    edProjection_->setText(title.projection);
    if (edTitle_->text().isEmpty()) {
        edTitle_->setText(title.location.isEmpty() ? QStringLiteral("Survey map") : title.location);
    }
    if (edFileName_->text().isEmpty()) {
        edFileName_->setText(QString::fromStdString((dataRoot_ / (formatDate(today) + " Map.png")).string()));
    }
}

void TExportMap::showForExport() {
    fillTitleBlock();
    const ViewWindow& view = canvas_.View();
    for (const auto& [edit, value] :
         {std::pair{edLeft_, view.WorldLeft}, std::pair{edTop_, view.WorldTop},
          std::pair{edRight_, view.WorldRight}, std::pair{edBottom_, view.WorldBottom}}) {
        if (edit->text().isEmpty()) {
            edit->setText(numberText(value));
        }
    }
    show();
    raise();
    activateWindow();
}

void TExportMap::chooseFile() {
    const QString name = QFileDialog::getSaveFileName(this, windowTitle(), edFileName_->text(),
                                                      QStringLiteral("Maps (*.png *.pdf)"));
    if (!name.isEmpty()) {
        edFileName_->setText(name);
    }
}

void TExportMap::chooseSurvey() {
    const QString name =
        QFileDialog::getOpenFileName(this, windowTitle(), QString::fromStdString(dataRoot_.string()),
                                     QStringLiteral("Survey files (*.csv)"));
    if (!name.isEmpty()) {
        edSurvey_->setText(name);
        cbSoundings_->setChecked(true);
    }
}

void TExportMap::btPickClick() {
    hide();
    canvas_.OnWindowPicked = [this](CanvasCore*, double left, double top, double right, double bottom) {
        edLeft_->setText(numberText(left));
        edTop_->setText(numberText(top));
        edRight_->setText(numberText(right));
        edBottom_->setText(numberText(bottom));
        rbWindow_->setChecked(true);
        canvas_.OnWindowPicked = nullptr;
        show();
        raise();
    };
    canvas_.DrawTool = toolCode(CanvasTool::PickWindow);
    canvas_.setFocus();
}

bool TExportMap::requestFromControls(MapExportRequest& request, QString& error) const {
    if (rbWindow_->isChecked()) {
        double edges[4] = {};
        const QLineEdit* edits[4] = {edLeft_, edTop_, edRight_, edBottom_};
        for (int i = 0; i < 4; ++i) {
            const auto value = parseFiniteDouble(edits[i]->text().toStdString());
            if (!value) {
                error = translatedCaption(*this, "'%1' is not a coordinate in metres").arg(edits[i]->text());
                return false;
            }
            edges[i] = *value;
        }
        request.window.WorldSet(edges[0], edges[1], edges[2], edges[3]);
        if (!request.window.isUsable()) {
            error = translatedCaption(*this, "The window needs Left < Right and Bottom < Top");
            return false;
        }
    } else {
        request.window = canvas_.View();
    }
    const std::optional<MapFormat> format = mapFormatOf(edFileName_->text());
    if (!format) {
        error = translatedCaption(*this, "The file name must end in .png or .pdf");
        return false;
    }
    request.sizePx = *format == MapFormat::Pdf && cbPdfA4_->isChecked()
                         ? QSize()
                         : QSize(seWidth_->value(), seHeight_->value());
    request.backColor = canvas_.BackColor();
    request.title = {edTitle_->text(),    edDate_->text(),  edLocation_->text(),  edVessel_->text(),
                     edSurveyor_->text(), edDatum_->text(), edProjection_->text()};
    if (cbSoundings_->isChecked()) {
        const SurveySoundings read = readSurveySoundings(edSurvey_->text().toStdString());
        if (!read.ok()) {
            error = QString::fromStdString(read.error);
            return false;
        }
        request.soundings = read.soundings;
    }
    return true;
}

bool TExportMap::btExportClick() {
    MapExportRequest request;
    QString error;
    if (!requestFromControls(request, error)) {
        onError(error);
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = ExportMap(canvas_.Model(), request, edFileName_->text(), error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        onError(error);
        return false;
    }
    onDone(translatedCaption(*this, "Map exported to %1").arg(edFileName_->text()));
    return true;
}

} // namespace selvir
