#include "windows/ControlPointPanel.h"

#include "core/AtomicFile.h"
#include "core/NumberFormat.h"
#include "windows/CaptionSet.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>

namespace selvir {
namespace {

const char* const kHeaders[ControlPointPanel::ColumnCount] = {
    "Name", "Latitude (°)", "Longitude (°)", "Height (m)", "Easting (m)", "Northing (m)", "dE (m)", "dN (m)"};
constexpr const char* kTableTip = "Control points: WGS-84 latitude, longitude and ellipsoidal height with "
                                  "their known local easting and northing. dE and dN are known minus "
                                  "computed with the parameters on screen.";
constexpr const char* kNegateTip = "Puts the three rotations with the opposite sign on screen";
constexpr const char* kRmsLine = "RMS: %1 m    RMS with rotations negated: %2 m";
constexpr int kStartRows = 4;
constexpr int kResidualDecimals = 3;

QString cellText(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text().trimmed() : QString();
}

// A row the surveyor left wholly empty (the results columns do not count).
bool rowEmpty(const QTableWidget& table, int row) {
    for (int column = ControlPointPanel::Name; column <= ControlPointPanel::Northing; ++column) {
        if (!cellText(table, row, column).isEmpty()) {
            return false;
        }
    }
    return true;
}

void setCell(QTableWidget& table, int row, int column, const QString& text, bool editable = true) {
    auto* item = new QTableWidgetItem(text);
    if (!editable) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    }
    table.setItem(row, column, item);
}

} // namespace

ControlPointPanel::ControlPointPanel(std::function<GeodeticParameters()> parameters, QWidget* owner)
    : QGroupBox(QStringLiteral("Check"), owner), parameters_(std::move(parameters)),
      table_(new QTableWidget(kStartRows, ColumnCount, this)), rms_(new QLabel(this)),
      verdict_(new QLabel(this)), negate_(new QPushButton(QStringLiteral("Negate Rotations"), this)) {
    setObjectName(QStringLiteral("gbControlPointCheck"));
    table_->setObjectName(QStringLiteral("ControlPoints"));
    for (int column = 0; column < ColumnCount; ++column) {
        table_->setHorizontalHeaderItem(column, new QTableWidgetItem);
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::ResizeToContents);
    table_->verticalHeader()->setDefaultSectionSize(22);

    auto* load = new QPushButton(QStringLiteral("Load..."), this);
    load->setObjectName(QStringLiteral("btControlPointsLoad"));
    auto* add = new QPushButton(QStringLiteral("Add Point"), this);
    add->setObjectName(QStringLiteral("btControlPointAdd"));
    auto* remove = new QPushButton(QStringLiteral("Remove Point"), this);
    remove->setObjectName(QStringLiteral("btControlPointRemove"));
    auto* check = new QPushButton(QStringLiteral("Check"), this);
    check->setObjectName(QStringLiteral("btControlPointCheck"));
    negate_->setObjectName(QStringLiteral("btNegateRotations"));
    negate_->setEnabled(false);
    rms_->setObjectName(QStringLiteral("lControlPointRms"));
    verdict_->setObjectName(QStringLiteral("lControlPointVerdict"));
    // Results of the check, written by it.
    markAsReadout(*rms_);
    markAsReadout(*verdict_);
    verdict_->setWordWrap(true);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {load, add, remove, check, negate_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(table_, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(rms_);
    layout->addWidget(verdict_);
    clearResults();
    applyCaptions();

    connect(load, &QPushButton::clicked, this, &ControlPointPanel::loadClick);
    connect(add, &QPushButton::clicked, this, [this] { table_->insertRow(table_->rowCount()); });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = table_->currentRow() >= 0 ? table_->currentRow() : table_->rowCount() - 1;
        if (row >= 0) {
            table_->removeRow(row);
        }
    });
    connect(check, &QPushButton::clicked, this, &ControlPointPanel::checkClick);
    connect(negate_, &QPushButton::clicked, this, [this] {
        negate_->setEnabled(false);
        emit negateRotationsRequested();
        checkClick();
    });
}

void ControlPointPanel::showError(const QString& message) {
    if (onError) {
        onError(message);
    } else {
        QMessageBox::warning(this, QStringLiteral("Check"), message);
    }
}

void ControlPointPanel::applyCaptions() {
    const QWidget& owner = *window();
    for (int column = 0; column < ColumnCount; ++column) {
        table_->horizontalHeaderItem(column)->setText(translatedCaption(owner, kHeaders[column]));
    }
    table_->setToolTip(translatedCaption(owner, kTableTip));
    negate_->setToolTip(translatedCaption(owner, kNegateTip));
    showRms();
}

void ControlPointPanel::showRms() {
    const QString none = QStringLiteral("-");
    rms_->setText(translatedCaption(*window(), kRmsLine)
                      .arg(rmsM_.isEmpty() ? none : rmsM_, rmsNegatedM_.isEmpty() ? none : rmsNegatedM_));
}

void ControlPointPanel::clearResults() {
    rmsM_.clear();
    rmsNegatedM_.clear();
    showRms();
    verdict_->clear();
    verdict_->setStyleSheet(QString());
    negate_->setEnabled(false);
    for (int row = 0; row < table_->rowCount(); ++row) {
        setCell(*table_, row, DEast, QString(), false);
        setCell(*table_, row, DNorth, QString(), false);
    }
}

void ControlPointPanel::setPoints(const std::vector<ControlPoint>& points) {
    table_->setRowCount(static_cast<int>(points.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const ControlPoint& p = points[static_cast<std::size_t>(row)];
        setCell(*table_, row, Name, QString::fromStdString(p.name));
        setCell(*table_, row, Latitude, QString::fromStdString(formatShortest(p.latitudeDeg)));
        setCell(*table_, row, Longitude, QString::fromStdString(formatShortest(p.longitudeDeg)));
        setCell(*table_, row, Height, QString::fromStdString(formatShortest(p.heightM)));
        setCell(*table_, row, Easting, QString::fromStdString(formatShortest(p.eastingM)));
        setCell(*table_, row, Northing, QString::fromStdString(formatShortest(p.northingM)));
    }
    clearResults();
}

std::vector<ControlPoint> ControlPointPanel::points(QString& problem) const {
    std::vector<ControlPoint> out;
    problem.clear();
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (rowEmpty(*table_, row)) {
            continue;
        }
        ControlPoint point;
        point.name = cellText(*table_, row, Name).toStdString();
        if (point.name.empty()) {
            point.name = "Point " + std::to_string(row + 1);
        }
        double* values[] = {&point.latitudeDeg, &point.longitudeDeg, &point.heightM, &point.eastingM,
                            &point.northingM};
        for (int column = Latitude; column <= Northing; ++column) {
            const QString text = cellText(*table_, row, column);
            const std::optional<double> value = parseFiniteDouble(text.toStdString());
            if (!value) {
                problem = QStringLiteral("%1, %2: '%3' is not a number")
                              .arg(QString::fromStdString(point.name),
                                   QString::fromUtf8(kHeaders[column]).section(QLatin1Char(' '), 0, 0), text);
                return {};
            }
            *values[column - Latitude] = *value;
        }
        out.push_back(point);
    }
    return out;
}

void ControlPointPanel::loadClick() {
    const QString file = chooseFile
                             ? chooseFile()
                             : QFileDialog::getOpenFileName(this, QStringLiteral("Control Points"), QString(),
                                                            QStringLiteral("Control points (*.csv *.txt);;"
                                                                           "All Files (*)"));
    if (file.isEmpty()) {
        return;
    }
    std::string text;
    if (!readWholeFile(std::filesystem::path(file.toStdString()), text)) {
        showError(QStringLiteral("%1 cannot be read.").arg(file));
        return;
    }
    const ControlPointsText read = readControlPoints(text);
    if (!read.problem.empty()) {
        showError(QStringLiteral("%1, %2").arg(file, QString::fromStdString(read.problem)));
        return;
    }
    setPoints(read.points);
}

void ControlPointPanel::checkClick() {
    clearResults();
    QString problem;
    const std::vector<ControlPoint> points = this->points(problem);
    if (!problem.isEmpty()) {
        showError(problem);
        return;
    }
    if (points.empty()) {
        showError(QStringLiteral("Enter or load control points first."));
        return;
    }
    const ControlPointCheck check = checkControlPoints(parameters_(), points);
    std::size_t next = 0;
    for (int row = 0; row < table_->rowCount() && next < check.residuals.size(); ++row) {
        if (rowEmpty(*table_, row)) {
            continue;
        }
        const ControlPointResidual& residual = check.residuals[next++];
        const bool ok = residual.ok();
        setCell(*table_, row, DEast,
                ok ? QString::fromStdString(formatFixed(residual.dEastM, kResidualDecimals))
                   : QString::fromUtf8(describeFixFailure(residual.failure)),
                false);
        setCell(*table_, row, DNorth,
                ok ? QString::fromStdString(formatFixed(residual.dNorthM, kResidualDecimals)) : QString(),
                false);
    }
    if (check.converted > 0) {
        rmsM_ = QString::fromStdString(formatFixed(check.rmsM, kResidualDecimals));
        rmsNegatedM_ = QString::fromStdString(formatFixed(check.rmsRotationsNegatedM, kResidualDecimals));
        showRms();
    }
    verdict_->setText(QString::fromStdString(check.verdict()));
    const bool swapped = !check.setupError && check.converted > 0 && check.rotationsNegatedFitBetter();
    verdict_->setStyleSheet(swapped ? QStringLiteral("QLabel { color: #b00020; font-weight: bold; }")
                                    : QString());
    negate_->setEnabled(swapped);
}

} // namespace selvir
