#pragma once
// The dialogs of hypocentre location: the start point, the result ("Параметры гипоцентра") and
// the external locator's launcher ("Запуск LOQ").

#include <QDialog>
#include <functional>
#include <optional>

#include "events/Locator.h"
#include "events/Regions.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace zel {

class MessageSink;
class PrivateProfile;

// "Введите стартовую точку для расчета": the point preset from the current hypocentre, the grid
// start and the two fixings. OK refuses a field that is not a number (or not a date and time)
// with a beep and the focus on it.
class CLocationStartDlg : public QDialog {
    Q_OBJECT
  public:
    CLocationStartDlg(double lat, double lon, double depth, double originTime, QWidget* parent = nullptr);
    // The fields and the grid box preset from a start point.
    explicit CLocationStartDlg(const LocationStart& preset, QWidget* parent = nullptr);

    // What OK read; meaningful after Accepted.
    const LocationStart& start() const { return start_; }
    void accept() override;

    QLineEdit* latEdit() const { return lat_; }
    QLineEdit* lonEdit() const { return lon_; }
    QLineEdit* depthEdit() const { return depth_; }
    QLineEdit* timeEdit() const { return time_; }
    QCheckBox* gridBox() const { return grid_; }
    QCheckBox* fixedDepthBox() const { return fixedDepth_; }
    QCheckBox* fixedCoordinatesBox() const { return fixedCoordinates_; }

  private:
    QLineEdit *lat_, *lon_, *depth_, *time_;
    QCheckBox *grid_, *fixedDepth_, *fixedCoordinates_;
    LocationStart start_;
};

// What the result dialog shows and what OK hands back.
struct HypocentreValues {
    double lat = 0.0;
    double lon = 0.0;
    double depth = 0.0;
    double originTime = 0.0;
    std::string comment;
};

// The origin time as the dialog writes it: "%d/%d/%d - %d:%d:%.2f" (day, month, year, hour,
// minute, seconds); and read back, nullopt for anything else.
QString FormatHypocentreTime(double epoch);
std::optional<double> ParseHypocentreTime(const QString& text);

class CHypocentreDlg : public QDialog {
    Q_OBJECT
  public:
    CHypocentreDlg(const HypocentreValues& values, const QStringList& residuals, const ErrorEllipse& ellipse,
                   const std::optional<RegionInfo>& region, QWidget* parent = nullptr);

    // The edited values; meaningful after Accepted (and inside onStore).
    const HypocentreValues& values() const { return values_; }
    void accept() override;

    // "Запомнить в БД" with the values in the fields.
    std::function<void(const HypocentreValues&)> onStore;

    QLineEdit* latEdit() const { return lat_; }
    QLineEdit* lonEdit() const { return lon_; }
    QLineEdit* depthEdit() const { return depth_; }
    QLineEdit* timeEdit() const { return time_; }
    QLineEdit* commentEdit() const { return comment_; }
    QListWidget* residualList() const { return residuals_; }
    QLineEdit* majorEdit() const { return major_; }
    QLineEdit* seismicRegionEdit() const { return seismic_; }
    QPushButton* copySeismicButton() const { return copySeismic_; }
    QPushButton* copyGeographicButton() const { return copyGeographic_; }
    QPushButton* storeButton() const { return store_; }

  private:
    // False (with a beep and the focus on the field) when a field does not read.
    bool readFields();

    QLineEdit *lat_, *lon_, *depth_, *time_, *comment_;
    QLineEdit *major_, *minor_, *direction_;
    QLineEdit *seismic_, *geographic_;
    QListWidget* residuals_;
    QPushButton *copySeismic_, *copyGeographic_, *store_;
    HypocentreValues values_;
};

// "Запуск LOQ": the folder, the event number and the locator's console output.
class CLoqDlg : public QDialog {
    Q_OBJECT
  public:
    // run: writes the files and starts the locator for (folder, number), passing its output on as
    // it arrives.
    using Runner = std::function<void(const QString& folder, int number, const std::function<void(const QString&)>& output)>;
    CLoqDlg(const QString& folder, int number, Runner runner, QWidget* parent = nullptr);

    QLineEdit* folderEdit() const { return folder_; }
    QSpinBox* numberBox() const { return number_; }
    QPushButton* runButton() const { return run_; }
    QPlainTextEdit* outputBox() const { return output_; }

    void run();

  private:
    QLineEdit* folder_;
    QSpinBox* number_;
    QPushButton* run_;
    QPlainTextEdit* output_;
    Runner runner_;
};

}  // namespace zel
