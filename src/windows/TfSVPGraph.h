#pragma once
// TfSVPGraph ("SVP Profile Graph - Drag Points or Lasso Select"): the averaged per-metre velocities as a
// profile beside an editable table. The surveyor drags points sideways, encircles spikes with a lasso
// and deletes them, or edits, adds and deletes rows; "Save && Close" hands the list back. The editing
// rules live in SvpGraphModel; this dialog lays out the controls and keeps the table in step.

#include "tools/SvpGraphModel.h"
#include "windows/CaptionSet.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace selvir {

class SvpGraphPlot;

class TfSVPGraph : public QDialog {
    Q_OBJECT
public:
    explicit TfSVPGraph(QWidget* owner = nullptr);
    // Its captions, in the language in force when it is made.
    static std::span<const ControlCaption> englishCaptions();

    // A fresh list from the averaged table's lines.
    void Load(const std::vector<std::string>& averagedLines);
    SvpGraphModel& Model() { return model_; }

    // Controls, for the sound velocity window and the tests.
    SvpGraphPlot* PaintBox1() const { return plot_; }
    QTableWidget* StringGrid1() const { return grid_; }
    QLabel* Label1() const { return status_; }
    QPushButton* bDeleteSelected() const { return deleteSelected_; }
    QPushButton* bSaveAndClose() const { return saveAndClose_; }
    QPushButton* bCancel() const { return cancel_; }
    QPushButton* bAddRow() const { return addRow_; }
    QPushButton* bDeleteRow() const { return deleteRow_; }

    void bDeleteSelectedClick();
    void bSaveAndCloseClick();
    void bAddRowClick();
    void bDeleteRowClick();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    // Brings the grid, the captions and the plot in line with the model.
    void sync();
    void fillGrid();

    SvpGraphModel model_;
    SvpGraphPlot* plot_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* deleteSelected_ = nullptr;
    QPushButton* saveAndClose_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* addRow_ = nullptr;
    QPushButton* deleteRow_ = nullptr;
    int shownRevision_ = -1;
    bool filling_ = false;
};

} // namespace selvir
