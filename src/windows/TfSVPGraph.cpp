#include "windows/TfSVPGraph.h"

#include "windows/CaptionSet.h"
#include "windows/SvpGraphPlot.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace selvir {
namespace {

constexpr ControlCaption kEnglishCaptions[] = {
    {"fSVPGraph", "SVP Profile Graph - Drag Points or Lasso Select"},
    {"bSaveAndClose", "Save && Close"},
    {"bCancel", "Cancel"},
    {"bAddRow", "Add Row"},
    {"bDeleteRow", "Delete Row"},
};

} // namespace

std::span<const ControlCaption> TfSVPGraph::englishCaptions() {
    return kEnglishCaptions;
}

TfSVPGraph::TfSVPGraph(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("fSVPGraph"));
    resize(900, 640);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* plotPanel = new QWidget(splitter);
    auto* plotLayout = new QVBoxLayout(plotPanel);
    plot_ = new SvpGraphPlot(model_, plotPanel);
    plot_->setObjectName(QStringLiteral("PaintBox1"));
    status_ = new QLabel(plotPanel);
    status_->setObjectName(QStringLiteral("Label1"));
    markAsReadout(*status_); // the point under the mouse
    auto* buttons = new QHBoxLayout;
    deleteSelected_ = new QPushButton(plotPanel);
    deleteSelected_->setObjectName(QStringLiteral("bDeleteSelected"));
    markAsReadout(*deleteSelected_); // carries the count, written by sync()
    saveAndClose_ = new QPushButton(plotPanel);
    saveAndClose_->setObjectName(QStringLiteral("bSaveAndClose"));
    cancel_ = new QPushButton(plotPanel);
    cancel_->setObjectName(QStringLiteral("bCancel"));
    buttons->addWidget(deleteSelected_);
    buttons->addStretch(1);
    buttons->addWidget(saveAndClose_);
    buttons->addWidget(cancel_);
    plotLayout->addWidget(plot_, 1);
    plotLayout->addWidget(status_);
    plotLayout->addLayout(buttons);

    auto* tablePanel = new QWidget(splitter);
    auto* tableLayout = new QVBoxLayout(tablePanel);
    grid_ = new QTableWidget(0, 3, tablePanel);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setHorizontalHeaderLabels({translatedCaption(*this, "Depth (m)"),
                                      translatedCaption(*this, "SV (m/s)"),
                                      translatedCaption(*this, "Hits")});
    grid_->verticalHeader()->setVisible(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setMinimumWidth(
        grid_->fontMetrics().horizontalAdvance(QStringLiteral("Depth (m)  SV (m/s)  Hits")) + 60);
    auto* rowButtons = new QHBoxLayout;
    addRow_ = new QPushButton(tablePanel);
    addRow_->setObjectName(QStringLiteral("bAddRow"));
    deleteRow_ = new QPushButton(tablePanel);
    deleteRow_->setObjectName(QStringLiteral("bDeleteRow"));
    rowButtons->addWidget(addRow_);
    rowButtons->addWidget(deleteRow_);
    tableLayout->addWidget(grid_, 1);
    tableLayout->addLayout(rowButtons);

    splitter->addWidget(plotPanel);
    splitter->addWidget(tablePanel);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({620, 280});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    // Made when the graph is asked for: the language in force then is the one it shows.
    applyCaptions(*this, kEnglishCaptions);

    connect(plot_, &SvpGraphPlot::modelChanged, this, [this] { sync(); });
    connect(deleteSelected_, &QPushButton::clicked, this, [this] { bDeleteSelectedClick(); });
    connect(saveAndClose_, &QPushButton::clicked, this, [this] { bSaveAndCloseClick(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(addRow_, &QPushButton::clicked, this, [this] { bAddRowClick(); });
    connect(deleteRow_, &QPushButton::clicked, this, [this] { bDeleteRowClick(); });
    connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (filling_) {
            return;
        }
        const QTableWidgetItem* item = grid_->item(row, column);
        if (!model_.editCell(row, column, item ? item->text().toStdString() : std::string())) {
            // Refused: the grid shows the kept value again once the edit that changed the cell is over.
            QTimer::singleShot(0, this, [this] { sync(); });
            return;
        }
        sync();
    });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) {
        model_.selectRow(row);
        plot_->update();
    });
    sync();
}

void TfSVPGraph::Load(const std::vector<std::string>& averagedLines) {
    model_.load(averagedLines);
    sync();
}

void TfSVPGraph::fillGrid() {
    filling_ = true;
    const auto& rows = model_.table();
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < 3; ++c) {
            grid_->setItem(r, c,
                           new QTableWidgetItem(QString::fromStdString(
                               rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])));
        }
    }
    filling_ = false;
    shownRevision_ = model_.tableRevision();
}

void TfSVPGraph::sync() {
    if (shownRevision_ != model_.tableRevision()) {
        fillGrid();
    }
    // The hint at rest is a caption; the values under the mouse are numbers and units.
    const std::string& status = model_.statusText();
    status_->setText(status == SvpGraphModel::kIdleStatus
                         ? translatedCaption(*this, SvpGraphModel::kIdleStatus)
                         : QString::fromStdString(status));
    deleteSelected_->setText(
        translatedCaption(*this, SvpGraphModel::kDeleteButtonCaption).arg(model_.deleteButtonCount()));
    deleteSelected_->setEnabled(model_.deleteButtonEnabled());
    plot_->update();
}

void TfSVPGraph::bDeleteSelectedClick() {
    model_.deleteSelected();
    sync();
}

void TfSVPGraph::bSaveAndCloseClick() {
    model_.commitTable();
    accept();
}

void TfSVPGraph::bAddRowClick() {
    model_.addRow();
    sync();
}

void TfSVPGraph::bDeleteRowClick() {
    const int row = grid_->currentRow();
    if (row < 0) {
        return;
    }
    model_.deleteRow(row);
    sync();
}

void TfSVPGraph::wheelEvent(QWheelEvent* event) {
    // The wheel zooms the plot wherever it turns over the window (the table scrolls itself first).
    if (event->angleDelta().y() == 0) {
        return;
    }
    plot_->wheelAt(plot_->mapFrom(this, event->position().toPoint()), event->angleDelta().y() > 0);
    event->accept();
}

} // namespace selvir
