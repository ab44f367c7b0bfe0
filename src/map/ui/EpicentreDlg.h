#pragma once
// The epicentre dialog of the map: the start epicentre for the location, set at a point of the map
// or edited as it stands, or cleared.

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace zel {

struct EpicentreValues {
    double lat = 0.0;
    double lon = 0.0;
    double depth = 0.0;       // km
    double originTime = 0.0;  // epoch seconds
};

class CEpicentreDlg : public QDialog {
    Q_OBJECT
  public:
    CEpicentreDlg(const EpicentreValues& values, QWidget* parent = nullptr);

    // OK refuses a latitude outside -90 ... 90, a longitude outside -180 ... 180, a depth or a time
    // that is not one, with a beep and the focus on the field.
    void accept() override;
    const EpicentreValues& values() const { return values_; }
    // "Сбросить эпицентр" was ticked: OK clears the epicentre instead.
    bool clearRequested() const;

    QLineEdit* latEdit() const { return lat_; }
    QLineEdit* lonEdit() const { return lon_; }
    QLineEdit* depthEdit() const { return depth_; }
    QLineEdit* timeEdit() const { return time_; }
    QCheckBox* clearBox() const { return clear_; }

  private:
    QLineEdit *lat_, *lon_, *depth_, *time_;
    QCheckBox* clear_;
    EpicentreValues values_;
};

}  // namespace zel
