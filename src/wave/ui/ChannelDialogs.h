#pragma once
// The dialogs that choose what the waveform window shows: the channel selection ("Выбор трасс"),
// the station/channel dialog ("Выбор станции и канала"), the channel list dialogs and the
// scale dialog of a pane ("Масштаб").

#include <QDialog>
#include <string>

#include "widgets/UtcDateTimeEdit.h"

class QCheckBox;
class QDateTimeEdit;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;
class QDoubleSpinBox;

namespace zel {

class AppContext;
class PrivateProfile;
class waveform;

struct ScaleValues {
    double max = 1, min = -1;
    double transformedMax = 0, transformedMin = 0;
};

class CScaleDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CScaleDlg(QWidget* parent = nullptr);
    void setValues(const ScaleValues& values);
    ScaleValues values() const { return values_; }
    QLineEdit* field(int i) const { return fields_[i]; }  // max, min, transformed max, transformed min

  public Q_SLOTS:
    // Refuses a field that is not a finite number and keeps the dialog open on it.
    void accept() override;

  private:
    QLineEdit* fields_[4];
    ScaleValues values_;
};

// Saving ("Сохранить список выбранных каналов и станций") or loading ("Загрузить список
// станций") a channel list; both list the saved lists with their change times and can delete one.
class CChannelListDlg : public QDialog {
    Q_OBJECT
  public:
    enum Mode { Save, Load };
    CChannelListDlg(Mode mode, PrivateProfile& registry, PrivateProfile& ini, QWidget* parent = nullptr);
    ~CChannelListDlg() override;
    std::string chosenName() const { return chosen_; }
    QTreeWidget* lists() const { return lists_; }
    QLineEdit* nameField() const { return name_; }  // save mode only

  public Q_SLOTS:
    void accept() override;
    void deleteSelected();

  private:
    void fill();

    Mode mode_;
    PrivateProfile& registry_;
    PrivateProfile& ini_;
    QTreeWidget* lists_;
    QLineEdit* name_ = nullptr;
    std::string chosen_;
};

// Stations as a tree by network group and the channels of the current station. Many: ticks the
// selection flags of the station table and sets each station's start and duration. One: chooses
// a single channel with its interval.
class CSelectTracesDlg : public QDialog {
    Q_OBJECT
  public:
    enum Mode { Many, One };
    CSelectTracesDlg(AppContext& context, waveform& owner, Mode mode, QWidget* parent = nullptr);
    ~CSelectTracesDlg() override;

    // Opens on this channel and interval (mode One).
    void choose(int station, int slot, double start, double duration);
    int station() const { return station_; }
    int slot() const { return slot_; }
    double start() const;
    double duration() const;

    QTreeWidget* stations() const { return tree_; }
    QListWidget* channels() const { return channels_; }
    // Ticks, at every station, the channels whose code matches the pattern ("*", "?", "[a-z]").
    void tickByPattern(const QString& pattern);

  public Q_SLOTS:
    void accept() override;

  private:
    void showStation(int station);
    void storeCurrent();

    AppContext& context_;
    waveform& owner_;
    Mode mode_;
    QTreeWidget* tree_;
    QListWidget* channels_;
    UtcDateTimeEdit* start_;
    QDoubleSpinBox* duration_;
    QCheckBox* allStations_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    int station_ = -1;
    int slot_ = -1;
    bool filling_ = false;
};

}  // namespace zel
