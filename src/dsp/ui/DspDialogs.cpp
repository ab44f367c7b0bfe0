#include "dsp/ui/DspDialogs.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

#include "dsp/ui/DspPlotPainter.h"

namespace zel {

namespace {

// The form over OK and Cancel, the dialog's whole layout.
void PlaceFormWithOkCancel(QDialog* dialog, QFormLayout* form) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

}  // namespace

CSelectOverplot::CSelectOverplot(const DspWindow& window, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Наложить графики"));
    auto* form = new QFormLayout;
    for (int k = 0; k < kDspOverlayCount; ++k) {
        auto* edit = new QLineEdit(QString::fromStdString(window.overlays[static_cast<std::size_t>(k)].formula));
        edit->setMaxLength(static_cast<int>(kDspMaxFormulaLength));
        edit->setMinimumWidth(360);
        // The label shows the colour the curve is drawn in.
        QPixmap swatch(24, 10);
        swatch.fill(DspOverlayColor(k));
        auto* label = new QLabel;
        label->setPixmap(swatch);
        form->addRow(label, edit);
        fields_[static_cast<std::size_t>(k)] = edit;
    }
    PlaceFormWithOkCancel(this, form);
}

std::array<std::string, kDspOverlayCount> CSelectOverplot::formulas() const {
    std::array<std::string, kDspOverlayCount> texts;
    for (int k = 0; k < kDspOverlayCount; ++k)
        texts[static_cast<std::size_t>(k)] = fields_[static_cast<std::size_t>(k)]->text().trimmed().toStdString();
    return texts;
}

int CSpectrogramDlg::DefaultLength(std::size_t count, double dx) {
    const double wanted = dx > 0 ? 5.0 / dx : 256.0;
    double n = std::exp2(std::round(std::log2(std::clamp(wanted, 2.0, 1048576.0))));
    const double samples = static_cast<double>(count);
    while (n > 16 && samples < 4.5 * n) n /= 2;  // 8 segments of n moved by n / 2 take 4.5 n samples
    return static_cast<int>(std::clamp(n, 2.0, std::min(samples, static_cast<double>(INT_MAX))));
}

CSpectrogramDlg::CSpectrogramDlg(std::size_t count, double dx, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Спектрограмма"));
    const int most = static_cast<int>(std::min<std::size_t>(count, INT_MAX));
    length_ = new QSpinBox;
    length_->setRange(2, std::max(2, most));
    length_->setValue(DefaultLength(count, dx));
    overlap_ = new QSpinBox;
    overlap_->setRange(0, length_->value() - 1);
    overlap_->setValue(length_->value() / 2);
    connect(length_, &QSpinBox::valueChanged, this, [this](int n) { overlap_->setMaximum(n - 1); });
    const double nyquist = dx > 0 ? 0.5 / dx : 0.5;
    maxFrequency_ = new QDoubleSpinBox;
    maxFrequency_->setLocale(QLocale::c());
    maxFrequency_->setDecimals(3);
    maxFrequency_->setRange(0.0, nyquist);
    maxFrequency_->setValue(nyquist);
    auto* form = new QFormLayout;
    form->addRow(qtTrId("Длина окна, отсчетов"), length_);
    form->addRow(qtTrId("Перекрытие окон, отсчетов"), overlap_);
    form->addRow(qtTrId("Показать частоты до, Гц"), maxFrequency_);
    form->addRow(new QLabel(qtTrId("Сигнал: %1 отсчетов, шаг %2 с").arg(count).arg(dx, 0, 'g', 6)));
    PlaceFormWithOkCancel(this, form);
}

int CSpectrogramDlg::length() const { return length_->value(); }
int CSpectrogramDlg::overlap() const { return overlap_->value(); }
double CSpectrogramDlg::maxFrequency() const { return maxFrequency_->value(); }

void ShowDataSetProperties(const DspWindow& w, int index, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(qtTrId("Свойства набора данных"));
    auto* form = new QFormLayout;
    auto add = [&](const QString& name, const QString& value) {
        auto* field = new QLineEdit(value);
        field->setReadOnly(true);
        form->addRow(name, field);
    };
    const double dx = w.signal ? w.signal->dx : 0.0;
    add(qtTrId("Окно"), QString("W%1").arg(index));
    add(qtTrId("Формула"), QString::fromStdString(w.formula));
    add(qtTrId("Количество отсчетов"), QString::number(w.count()));
    add(qtTrId("Шаг dx"), QString::number(dx, 'g', 10));
    add(qtTrId("Частота отсчетов (1/dx)"), dx > 0 ? QString::number(1.0 / dx, 'f', 6) : QString());
    add(qtTrId("Длина (N·dx)"), QString::number(static_cast<double>(w.count()) * dx, 'f', 6));
    add(qtTrId("Минимум"), QString::number(w.min, 'g', 10));
    add(qtTrId("Максимум"), QString::number(w.max, 'g', 10));
    add(qtTrId("Зафиксировано"), w.fixed ? qtTrId("да") : qtTrId("нет"));
    if (!w.error.empty()) add(qtTrId("Ошибка"), QString::fromStdString(w.error));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.exec();
}

}  // namespace zel
