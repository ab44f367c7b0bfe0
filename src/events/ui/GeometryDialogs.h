#pragma once
// Dialogs of distances, azimuths and regions: distance and azimuth between two typed points, the
// monitored-region list and its region editor, the reference station choice and the result of
// the plane-wave azimuth.

#include <QDialog>
#include <functional>
#include <vector>

#include "events/MonitoredRegions.h"
#include "events/PlaneWave.h"

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace zel {

class MessageSink;
struct CurrentEvent;
struct Station;

namespace Db {
class Connection;
}

// "Дистанция и азимут": stays open; each OK shows the distance and both azimuths.
class CDistAzDlg : public QDialog {
    Q_OBJECT
  public:
    CDistAzDlg(const CurrentEvent& event, QWidget* parent = nullptr);
    // OK: a value out of range beeps and takes the focus; false then.
    bool calculate();
    QLineEdit* field(int index) const { return fields_[index]; }  // lat1, lon1, lat2, lon2
    QString resultText() const;

  private:
    QLineEdit* fields_[4];
    QLabel* distance_;
    QLabel* azimuth_;
    QLabel* backAzimuth_;
};

// "Редактировать параметры региона": name and two corners. OK refuses a name another region has.
class CRegionDlg : public QDialog {
    Q_OBJECT
  public:
    // `except`: the index of the region being edited (its own name is allowed), -1 for a new one.
    CRegionDlg(const MonitoredRegions& regions, const CContReg& region, int except, MessageSink& messages,
               QWidget* parent = nullptr);
    const CContReg& region() const { return region_; }
    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* cornerEdit(int index) const { return corners_[index]; }  // lat1, lon1, lat2, lon2
    void accept() override;

  private:
    const MonitoredRegions& regions_;
    int except_;
    MessageSink& messages_;
    CContReg region_;
    QLineEdit* name_;
    QLineEdit* corners_[4];
};

// "Редактирование списка контролируемых регионов": every edit goes to CONTREG at once; a failed
// statement is reported and leaves the list as it was.
class CContRegDlg : public QDialog {
    Q_OBJECT
  public:
    CContRegDlg(MonitoredRegions& regions, Db::Connection& work, MessageSink& messages,
                QWidget* parent = nullptr);
    QTreeWidget* list() const { return list_; }
    // The region dialog; replaced by tests.
    std::function<bool(CRegionDlg&)> runRegionDialog = [](CRegionDlg& d) {
        return d.exec() == QDialog::Accepted;
    };
    std::function<void()> onChanged;  // the map redraws the regions

    void edit();
    void add();
    void remove();

  private:
    void fill(int select);
    bool write(const std::function<void()>& statement);

    MonitoredRegions& regions_;
    Db::Connection& work_;
    MessageSink& messages_;
    QTreeWidget* list_;
};

// "Выберите станцию": one station of the table.
class CSelectStationDlg : public QDialog {
    Q_OBJECT
  public:
    CSelectStationDlg(const std::vector<Station>& stations, QWidget* parent = nullptr);
    int station() const;  // index into the table, -1 when none is chosen
    QTreeWidget* tree() const { return tree_; }

  private:
    QTreeWidget* tree_;
};

// "Результат расчета" of the plane-wave azimuth, with OK and Cancel.
class CPlaneWaveResultDlg : public QDialog {
    Q_OBJECT
  public:
    CPlaneWaveResultDlg(const PlaneWaveFit& fit, QWidget* parent = nullptr);
    // Values above 1 with one decimal, others with four.
    static QString Number(double value);
};

}  // namespace zel
