#pragma once
// "Export Map": the map of the canvas for a report, as a PNG of a chosen pixel size or a vector PDF
// page (canvas/MapExport.h). The surveyor picks the current view or a window (typed, or dragged on the
// map with two clicks), the file, the size, the title block (filled from the settings: date, location,
// vessel and surveyor from the offsets, datum and projection from the geodetic settings) and, if he
// likes, a survey file whose depths are drawn as coloured soundings. The window only collects values;
// the map is made by ExportMap.
//
// Created once at start and shown from the main window's File menu.

#include "core/DateTime.h"

#include <QDialog>
#include <filesystem>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace selvir {

class TSelvirCanvas;
struct MapExportRequest;

class TExportMap : public QDialog {
    Q_OBJECT
public:
    // `settingsFile` gives the title block's fields, `dataRoot` the folder files are offered in.
    TExportMap(TSelvirCanvas& canvas, std::filesystem::path settingsFile, std::filesystem::path dataRoot,
               const Clock& clock, QWidget* owner = nullptr);

    // Fills the title block from the settings and shows the window.
    void showForExport();
    // The English caption set of this window.
    void EnglishCaptions();

    // Seams: how failures and a finished export are told (message boxes by default).
    std::function<void(const QString&)> onError;
    std::function<void(const QString&)> onDone;

    // The request the controls describe; false and why in `error` when a field cannot be used.
    bool requestFromControls(MapExportRequest& request, QString& error) const;
    // Writes the map the controls describe to the file named; false when it failed (told by onError).
    bool btExportClick();
    // Hides the window until the surveyor has clicked two corners on the map.
    void btPickClick();

private:
    void fillTitleBlock();
    void chooseFile();
    void chooseSurvey();
    QLineEdit* addField(const char* name);

    TSelvirCanvas& canvas_;
    std::filesystem::path settingsFile_;
    std::filesystem::path dataRoot_;
    const Clock& clock_;

    QLineEdit* edFileName_ = nullptr;
    QPushButton* btBrowse_ = nullptr;
    QSpinBox* seWidth_ = nullptr;
    QSpinBox* seHeight_ = nullptr;
    QCheckBox* cbPdfA4_ = nullptr;
    QRadioButton* rbCurrentView_ = nullptr;
    QRadioButton* rbWindow_ = nullptr;
    QLineEdit* edLeft_ = nullptr;
    QLineEdit* edTop_ = nullptr;
    QLineEdit* edRight_ = nullptr;
    QLineEdit* edBottom_ = nullptr;
    QPushButton* btPick_ = nullptr;
    QLineEdit* edTitle_ = nullptr;
    QLineEdit* edDate_ = nullptr;
    QLineEdit* edLocation_ = nullptr;
    QLineEdit* edVessel_ = nullptr;
    QLineEdit* edSurveyor_ = nullptr;
    QLineEdit* edDatum_ = nullptr;
    QLineEdit* edProjection_ = nullptr;
    QCheckBox* cbSoundings_ = nullptr;
    QLineEdit* edSurvey_ = nullptr;
    QPushButton* btSurveyBrowse_ = nullptr;
    QPushButton* btExport_ = nullptr;
    QPushButton* btClose_ = nullptr;
    std::vector<std::pair<QLabel*, const char*>> labels_;
};

} // namespace selvir
