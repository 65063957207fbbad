#pragma once
// The SVP graph editor without its widget: the profile's points (velocity across, depth downwards), the
// view and its pixel mapping, dragging a point sideways, lasso selection, wheel zoom, the grid, and the
// three-column table (depth, velocity, hits) that edits the same points. The widget paints what this
// class says and forwards the pointer to it; tests drive it without a display.

#include <array>
#include <string>
#include <vector>

namespace selvir {

struct SvpPoint {
    int depthM = 0;
    double velocity = 0; // m/s
    int hits = 1;        // samples averaged; 0 for bins filled below the deepest sample
    bool selected = false;
};

struct GraphPixel {
    int x = 0;
    int y = 0;
    bool operator==(const GraphPixel&) const = default;
};

// Even-odd crossing test of a pixel against a closed polygon (integer pixels); false for fewer than
// three corners.
bool insidePolygon(const std::vector<GraphPixel>& polygon, GraphPixel pixel);

class SvpGraphModel {
public:
    // Plot margins inside the paint box, pixels.
    static constexpr int kMarginLeft = 60, kMarginRight = 20, kMarginTop = 20, kMarginBottom = 40;
    static constexpr int kPickDistancePx = 8; // a press this close (across and down) takes a point
    static constexpr int kLassoStepPx = 3;    // the lasso grows by moves longer than this
    static constexpr int kPointRadiusPx = 4;
    static constexpr double kMinVelocity = 1300, kMaxVelocity = 1700; // a drag stays inside, m/s
    static constexpr double kMinSpan = 5;                             // smallest zoomed span, m/s and m
    static constexpr double kZoomIn = 0.9, kZoomOut = 1.1;
    // The status line before the pointer moves over the plot.
    static constexpr const char* kIdleStatus = "Drag points to edit SV, or draw lasso to select spikes";

    // A table row as text: depth, velocity, hits.
    using TableRow = std::array<std::string, 3>;

    // Lines of the averaged table: "depth,velocity,hits" (hits 1 when missing); lines with fewer than
    // two numbers are skipped. Fits the view and fills the table; the data are unchanged.
    void load(const std::vector<std::string>& averagedLines);
    // One line per point in list order: depth, velocity with 2 decimals, hits.
    std::vector<std::string> averagedLines() const;

    const std::vector<SvpPoint>& points() const { return points_; }
    // Set by drags, deletions, table edits and saving.
    bool dataChanged() const { return changed_; }

    // --- View and mapping (paint box pixels)
    struct Ranges {
        double vmin = 0, vmax = 0; // m/s
        double dmin = 0, dmax = 0; // m
    };
    void setSize(int widthPx, int heightPx);
    int width() const { return width_; }
    int height() const { return height_; }
    const Ranges& view() const { return view_; }
    const Ranges& fullView() const { return full_; }
    double xOf(double velocity) const;
    double yOf(double depthM) const;
    GraphPixel pixelOf(const SvpPoint& point) const;
    double velocityAt(int x) const;
    double depthAt(int y) const;
    // The points' extremes, the velocity span (at least 10 m/s) padded by 5 % each side.
    void fitView();

    // --- Grid: lines inside the plot with their labels
    struct GridLine {
        int pixel = 0; // x of a velocity line, y of a depth line
        std::string label;
    };
    // Every 10 m/s.
    std::vector<GridLine> velocityGridLines() const;
    // Every 10 m; 50 m when the depth span exceeds 200 m, 100 m beyond 500 m.
    std::vector<GridLine> depthGridLines() const;

    // --- Pointer (left button) and wheel
    enum class Cursor { Arrow, PointingHand, SizeAll };
    void press(GraphPixel at);
    void move(GraphPixel at);
    void release(GraphPixel at);
    // Zooms about the pixel: forward in (0.9), backward out (1.1).
    void wheel(GraphPixel at, bool forward);

    Cursor cursor() const { return cursor_; }
    const std::string& statusText() const { return status_; }
    bool dragging() const { return draggedIndex_ >= 0; }
    int draggedIndex() const { return draggedIndex_; }
    const std::vector<GraphPixel>& lasso() const { return lasso_; }
    bool lassoActive() const { return lassoActive_; }
    int selectedCount() const;
    // The delete button's caption: "%1" is the count the last lasso selected; enabled when it is > 0.
    static constexpr const char* kDeleteButtonCaption = "Delete Selected (%1)";
    int deleteButtonCount() const { return lassoSelected_; }
    bool deleteButtonEnabled() const { return deleteEnabled_; }
    void deleteSelected();

    // --- Table
    const std::vector<TableRow>& table() const { return table_; }
    // Increases whenever the table is refilled from the points (load, drags, deletions, rows added or
    // removed), not when a cell is edited: the widget refills its grid when it changes.
    int tableRevision() const { return tableRevision_; }
    // A typed cell: the points are rebuilt from the table. A velocity outside kMinVelocity …
    // kMaxVelocity is refused (false): the cell keeps its value and the status line says why.
    bool editCell(int row, int column, const std::string& text);
    // Selects the row's point alone (rows count from 0 here).
    void selectRow(int row);
    // Appends the last point's depth + 1 and velocity (0 and 1500.00 when empty), hits 0.
    void addRow();
    // Removes the row; the rows below move up.
    void deleteRow(int row);
    // Save && Close: the points from the table, marked changed.
    void commitTable();

private:
    void rebuildFromTable();
    void refillTable();
    int pointNear(GraphPixel at) const;

    std::vector<SvpPoint> points_;
    std::vector<TableRow> table_;
    int tableRevision_ = 0;
    bool changed_ = false;
    int width_ = 0, height_ = 0;
    Ranges view_, full_;
    Cursor cursor_ = Cursor::Arrow;
    std::string status_ = kIdleStatus;
    int draggedIndex_ = -1;
    std::vector<GraphPixel> lasso_;
    bool lassoActive_ = false;
    bool deleteEnabled_ = false;
    int lassoSelected_ = 0; // the count the delete button shows, from the last lasso
};

} // namespace selvir
