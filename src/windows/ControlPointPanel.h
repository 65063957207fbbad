#pragma once
// The "Check" panel of the geodetic tab: control points (name, WGS-84 latitude, longitude and
// ellipsoidal height, known local easting and northing) typed or loaded from a file, each point's
// residual with the parameters on screen, the RMS, the RMS with the three rotations negated, and in
// words whether the rotation signs look swapped. The check itself is ControlPointCheck (geodesy).

#include "geodesy/ControlPointCheck.h"

#include <QGroupBox>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace selvir {

class ControlPointPanel : public QGroupBox {
    Q_OBJECT
public:
    enum Column { Name, Latitude, Longitude, Height, Easting, Northing, DEast, DNorth, ColumnCount };

    // `parameters` gives the geodetic parameters as they stand on screen at every check.
    explicit ControlPointPanel(std::function<GeodeticParameters()> parameters, QWidget* owner = nullptr);

    // Replaces the table's points; the residuals are emptied.
    void setPoints(const std::vector<ControlPoint>& points);
    // The points of the table; rows left wholly empty are skipped. A cell that is not a number empties
    // the list and names the point and the column in `problem`.
    std::vector<ControlPoint> points(QString& problem) const;

    // "Load...": a control-point file (name,latitude,longitude,height,easting,northing).
    void loadClick();
    // "Check": residuals, both RMS and the verdict with the parameters on screen.
    void checkClick();
    // The column headings, tips and the RMS line in the language in force, looked up under the window
    // the panel stands in (its buttons and title are that window's captions).
    void applyCaptions();

    QTableWidget* Table() const { return table_; }
    QLabel* RmsLabel() const { return rms_; }
    QLabel* VerdictLabel() const { return verdict_; }
    QPushButton* NegateButton() const { return negate_; }

    // Seams for tests: the file dialog, and error message boxes.
    std::function<QString()> chooseFile;
    std::function<void(const QString&)> onError;

signals:
    // "Negate Rotations": the check found the negated set fits clearly better and the surveyor wants it.
    void negateRotationsRequested();

private:
    void showError(const QString& message);
    void clearResults();
    void showRms();

    std::function<GeodeticParameters()> parameters_;
    QTableWidget* table_;
    QLabel* rms_;
    QLabel* verdict_;
    QPushButton* negate_;
    // The two RMS of the last check, empty before one.
    QString rmsM_, rmsNegatedM_;
};

} // namespace selvir
