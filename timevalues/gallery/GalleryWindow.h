#pragma once
// A window that shows every time-value control bound to one record of a scratch
// table, so that they can be looked at and tried: switch the record between browsing
// and editing, type, spin, mark days, pick dates.
#include <Dataset.h>

#include <QMainWindow>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class QGroupBox;
class QLabel;

namespace tv {

class DatasetDateField;
class DatasetFieldPair;
class DurationEditBase;
class FieldPairDisplay;
class TKalendarZHarm;
class TVQ_TabeliDatyPicker;
class TVQWynikGodzMin;
class TEdGodzMin;
class TDBGodzMinNowy;

class GalleryWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit GalleryWindow(QWidget* parent = nullptr);
    ~GalleryWindow() override;

private:
    void createTable();
    QGroupBox* durationsBox();
    QGroupBox* calendarBox();
    QGroupBox* datesBox();
    QWidget* recordButtons();
    DatasetFieldPair* pair(const char* hours, const char* minutes);
    void setEditing(bool editing);
    void refreshAll();
    void showSum();
    void showMarked();

    QTemporaryDir dir_;
    std::unique_ptr<xb::Dataset> record_;
    std::vector<std::unique_ptr<DatasetFieldPair>> pairs_;
    std::unique_ptr<DatasetDateField> dateField_;
    std::vector<TDBGodzMinNowy*> edits_;
    std::vector<FieldPairDisplay*> displays_;
    std::vector<TVQ_TabeliDatyPicker*> pickers_;
    TEdGodzMin* calculator_ = nullptr;
    TVQWynikGodzMin* sum_ = nullptr;
    TKalendarZHarm* calendar_ = nullptr;
    QLabel* marked_ = nullptr;
    QLabel* state_ = nullptr;
};

} // namespace tv
