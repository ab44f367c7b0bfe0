#pragma once
// The filter page (band edges, order, type, zero phase and the preset list), the sheet that
// holds it, and the preset name dialog.

#include <QDialog>
#include <QWidget>
#include <functional>

#include "wave/FilterSettings.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zel {

class PrivateProfile;

class GetFilterPage0 : public QWidget {
    Q_OBJECT
  public:
    GetFilterPage0(PrivateProfile& registry, QWidget* parent = nullptr);

    void setSettings(const ChannelFilterSettings& settings);
    // The page's values (edges parsed from their texts).
    ChannelFilterSettings settings() const;
    // The first fault of the page's values, or an empty string.
    QString problem() const;
    bool modified() const { return modified_; }
    void setModified(bool on);

    // Asks for a preset name; replaced in tests. An empty result stores nothing.
    std::function<QString()> askName;

    void refillPresets(int select = 0);
    void storePreset();
    void choosePreset();
    void deletePreset();

    QLineEdit* lowEdit() const { return low_; }
    QLineEdit* highEdit() const { return high_; }
    QSpinBox* orderBox() const { return order_; }
    QCheckBox* zeroPhaseBox() const { return zeroPhase_; }
    QListWidget* presetList() const { return presets_; }
    void setType(int type);

  Q_SIGNALS:
    void modifiedChanged(bool modified);

  private:
    void enableEdges();
    PrivateProfile& registry_;
    QLineEdit *low_, *high_;
    QSpinBox* order_;
    QButtonGroup* types_;
    QCheckBox* zeroPhase_;
    QListWidget* presets_;
    bool modified_ = false;
};

// The sheet "Фильтр" with the page and OK, Cancel and Apply. apply() runs the callback with the
// page's settings when the page is modified and valid; a fault beeps and shows its text.
class CFilterSheet : public QDialog {
    Q_OBJECT
  public:
    CFilterSheet(PrivateProfile& registry, const ChannelFilterSettings& settings,
                 std::function<bool(const ChannelFilterSettings&)> apply, QWidget* parent = nullptr);
    GetFilterPage0* page() const { return page_; }
    bool apply();
    void accept() override;

  private:
    GetFilterPage0* page_;
    QPushButton* applyButton_;
    std::function<bool(const ChannelFilterSettings&)> apply_;
};

// "Введите имя фильтра": one edit of at most 128 characters; OK with an empty name beeps.
class CGetFilterNameDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CGetFilterNameDlg(QWidget* parent = nullptr);
    QString name() const;
    void accept() override;

  private:
    QLineEdit* edit_;
};

}  // namespace zel
