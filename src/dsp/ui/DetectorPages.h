#pragma once
// The sheet "Параметры детектора" with one page per detector: "LTA/STA детектор" and
// "Геотех+ LTA/STA детектор". OK and Apply act for the page that is showing.

#include <QDialog>
#include <QWidget>
#include <functional>

#include "base/MessageSink.h"
#include "dsp/StaLtaDetector.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zel {

class CDetectPage : public QWidget {
    Q_OBJECT
  public:
    // `filterAllowed`: the Geotech page runs on raw samples only, so its box stays disabled.
    CDetectPage(bool filterAllowed, QWidget* parent = nullptr);
    void setParams(const DetectorParams& p);
    DetectorParams params() const;
    // The first value outside its limits, as the range message of the dialog; empty when all fit.
    // The field in fault takes the focus.
    QString problem();

    QLineEdit* ltaEdit() const { return lta_; }
    QLineEdit* staEdit() const { return sta_; }
    QLineEdit* thresholdEdit() const { return k_; }
    QCheckBox* filterBox() const { return filter_; }
    QPushButton* clearButton() const { return clear_; }

  Q_SIGNALS:
    void clearRequested();

  private:
    QLineEdit *lta_, *sta_, *k_;
    QCheckBox* filter_;
    QPushButton* clear_;
};

// What the sheet asks of the waveform window (its DetectorParamInterface).
struct DetectorSheetActions {
    std::function<void(const DetectorParams&)> runZel;      // set on the active panes, then run
    std::function<void(const DetectorParams&)> runGeotech;  // likewise
    std::function<void()> clearLists;
};

class CDetectorSheet : public QDialog {
    Q_OBJECT
  public:
    CDetectorSheet(const DetectorParams& zel, const DetectorParams& geotech, DetectorSheetActions actions,
                   MessageSink& messages, QWidget* parent = nullptr);
    CDetectPage* zelPage() const { return zel_; }
    CDetectPage* geotechPage() const { return geotech_; }
    QTabWidget* tabs() const { return tabs_; }
    // Runs the showing page's detector; false (after the range message) when a value is refused.
    bool apply();
    void accept() override;

  private:
    CDetectPage *zel_, *geotech_;
    QTabWidget* tabs_;
    DetectorSheetActions actions_;
    MessageSink& messages_;
};

}  // namespace zel
