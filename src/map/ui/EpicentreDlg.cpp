#include "map/ui/EpicentreDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "base/TimeConversions.h"

namespace zel {
namespace {

std::optional<double> NumberIn(const QLineEdit* edit, double low, double high) {
    bool ok = false;
    const double value = edit->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high) return std::nullopt;
    return value;
}

}  // namespace

CEpicentreDlg::CEpicentreDlg(const EpicentreValues& values, QWidget* parent)
    : QDialog(parent), values_(values) {
    setWindowTitle(qtTrId("Эпицентр"));
    lat_ = new QLineEdit(QString::asprintf("%.4f", values.lat));
    lon_ = new QLineEdit(QString::asprintf("%.4f", values.lon));
    depth_ = new QLineEdit(QString::asprintf("%.1f", values.depth));
    time_ = new QLineEdit(QString::fromStdString(FormatUiTime(values.originTime, UiTimeForm::DateTimeMs)));
    clear_ = new QCheckBox(qtTrId("Сбросить эпицентр"));
    auto* form = new QFormLayout;
    form->addRow(qtTrId("Широта"), lat_);
    form->addRow(qtTrId("Долгота"), lon_);
    form->addRow(qtTrId("Глубина(км.)"), depth_);
    form->addRow(qtTrId("Время в очаге"), time_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(clear_);
    layout->addWidget(buttons);
}

bool CEpicentreDlg::clearRequested() const { return clear_->isChecked(); }

void CEpicentreDlg::accept() {
    if (clearRequested()) return QDialog::accept();
    const auto refuse = [](QLineEdit* edit) {
        QApplication::beep();
        edit->setFocus();
        edit->selectAll();
    };
    const std::optional<double> lat = NumberIn(lat_, -90.0, 90.0);
    if (!lat) return refuse(lat_);
    const std::optional<double> lon = NumberIn(lon_, -180.0, 180.0);
    if (!lon) return refuse(lon_);
    const std::optional<double> depth = NumberIn(depth_, -1e6, 1e6);
    if (!depth) return refuse(depth_);
    const std::optional<double> time = ParseUiDateTime(time_->text().trimmed().toStdString());
    if (!time) return refuse(time_);
    values_ = {*lat, *lon, *depth, *time};
    QDialog::accept();
}

}  // namespace zel
