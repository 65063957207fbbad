#pragma once
// TfSVP ("Sound Velocity", fSVP): turns a sound velocity cast into the per-metre SV column the depth
// reduction uses when "Use Sound Velocity Profile" is ticked. Four text tables side by side (source,
// raw values, averaged bins, SV column) and three step buttons between them; probe files are recognised
// by their headers, other files are read with the format identifier. The steps themselves live in
// src/tools (SvpSteps, ProbeFile); this window holds the tables, asks and tells the surveyor, and keeps
// the "SVP" settings and the day's four table files.

#include "core/DataFolders.h"
#include "core/ProfileStore.h"
#include "tools/ProbeFile.h"
#include "tools/SvpSteps.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace selvir {

class TfSVPGraph;

class TfSVP : public QWidget {
    Q_OBJECT
public:
    // Reads the "SVP" keys and today's four tables from the SVP folder. `settings` must outlive it.
    TfSVP(ProfileStore& settings, DataFolders folders, QWidget* owner = nullptr);
    ~TfSVP() override;

    // --- What the main window and the offsets window use
    bool UseSoundVelocityProfile() const;
    // Restores the remembered position and shows the window.
    void ShowWindow();
    // Writes the four tables to their files in the SVP folder (nothing while all four are empty and none
    // was saved before); false with the reason in `error`.
    bool SaveTables(std::string* error = nullptr);
    // Step 8 of the English caption set.
    void ApplyEnglishCaptions();
    void SavePlacement();

    // The main window's language flag: Turkish messages while it is on (the start value).
    std::function<bool()> turkishMode = [] { return true; };
    // The latitude of the last fix (degrees), for pressure to depth when a file has none.
    std::function<std::optional<double>()> lastFixLatitude;
    // The main window's Save command, run first by "Save && Close".
    std::function<void()> runMainSave;
    // The tables were written: the depth reduction takes the new column.
    std::function<void()> tablesSaved;
    // Seams for the tests (dialogs when unset).
    std::function<QString(const QString& filter)> chooseFile;
    std::function<OutOfRangeAnswer(const QString& message)> askOutOfRange;
    std::function<void(const QString& message)> showMessage;
    // Runs the graph editor modally; returns its result (QDialog::Accepted or Rejected).
    std::function<int(TfSVPGraph& graph)> runGraph;

    // --- Handlers
    void BitBtn1Click();          // "SVP": load a file
    void bRawToSVVClick();        // step 1
    void bSVVtoAveragedSVClick(); // step 2
    void bAveragedSVtoSVPClick(); // step 3
    void bGraphClick();
    void bSaveCloseClick();
    void AutoDetectClick(); // popup "Auto Dedetct"
    void DefaultsClick();   // popup "Defaults"

    // --- Controls
    QPlainTextEdit* mRawSVData() const { return tables_[0]; }
    QPlainTextEdit* mRawSVExtracted() const { return tables_[1]; }
    QPlainTextEdit* mSortedAveragedSV() const { return tables_[2]; }
    QPlainTextEdit* mSVPColumn() const { return tables_[3]; }
    QLineEdit* eSearchString() const { return searchString_; }
    QLineEdit* eMaxDepth() const { return maxDepth_; }
    QRadioButton* rSVFirst() const { return svFirst_; }
    QRadioButton* rDFirst() const { return depthFirst_; }
    QCheckBox* cUseSVP() const { return useSvp_; }
    QCheckBox* cProbeColumns() const { return probeColumns_; }
    QCheckBox* cDownCast() const { return downCast_; }
    QPushButton* bSaveClose() const { return saveClose_; }
    QPushButton* bGraph() const { return graph_; }
    QToolButton* bRawToSVV() const { return steps_[0]; }
    QToolButton* bSVVtoAveragedSV() const { return steps_[1]; }
    QToolButton* bAveragedSVtoSVP() const { return steps_[2]; }
    QLabel* lSource() const { return source_; }
    QLabel* lStatus() const { return status_; }
    QMenu* ParametersMenu() const { return popup_; }
    TfSVPGraph* Graph() const { return graphWindow_.get(); }

signals:
    // "Use Sound Velocity Profile" was ticked or unticked.
    void UseSoundVelocityProfileChanged(bool used);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void readKeys();
    void writeKeys();
    void loadSavedTables();
    // Recognises the source table as a probe file and shows what was found.
    void recogniseSource(bool reportFaults);
    void useSearchString();
    std::optional<int> maxDepthOrSay();
    bool turkish() const { return turkishMode ? turkishMode() : true; }
    void say(const std::string& message);
    OutOfRangeAnswer ask(const std::string& message);
    std::vector<std::string> lines(const QPlainTextEdit* table) const;
    void showLines(QPlainTextEdit* table, const std::vector<std::string>& lines);
    void setSaveEnabled(bool enabled);

    ProfileStore& settings_;
    DataFolders folders_;
    QString fileFilter_;
    std::optional<ProbeCast> cast_; // the source table as a recognised probe cast, when last read
    std::unique_ptr<TfSVPGraph> graphWindow_;

    QPlainTextEdit* tables_[4] = {};
    QLabel* captions_[4] = {};
    QToolButton* steps_[3] = {};
    QGroupBox* parameters_ = nullptr;
    QPushButton* load_ = nullptr;
    QLabel* searchCaption_ = nullptr;
    QLabel* maxDepthCaption_ = nullptr;
    QLineEdit* searchString_ = nullptr;
    QLineEdit* maxDepth_ = nullptr;
    QRadioButton* svFirst_ = nullptr;
    QRadioButton* depthFirst_ = nullptr;
    QCheckBox* useSvp_ = nullptr;
    QCheckBox* probeColumns_ = nullptr;
    QCheckBox* downCast_ = nullptr;
    QLabel* source_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* graph_ = nullptr;
    QPushButton* saveClose_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* defaults_ = nullptr;
    QAction* autoDetect_ = nullptr;
};

} // namespace selvir
