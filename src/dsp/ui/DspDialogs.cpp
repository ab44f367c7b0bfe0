#include "dsp/ui/DspDialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>

#include "dsp/ui/DspPlotPainter.h"

namespace zel {

CSelectOverplot::CSelectOverplot(const DspWindow& window, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Наложить графики");
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
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::array<std::string, kDspOverlayCount> CSelectOverplot::formulas() const {
    std::array<std::string, kDspOverlayCount> texts;
    for (int k = 0; k < kDspOverlayCount; ++k)
        texts[static_cast<std::size_t>(k)] = fields_[static_cast<std::size_t>(k)]->text().trimmed().toStdString();
    return texts;
}

void ShowDataSetProperties(const DspWindow& w, int index, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Свойства набора данных");
    auto* form = new QFormLayout;
    auto add = [&](const char* name, const QString& value) {
        auto* field = new QLineEdit(value);
        field->setReadOnly(true);
        form->addRow(name, field);
    };
    const double dx = w.signal ? w.signal->dx : 0.0;
    add("Окно", QString("W%1").arg(index));
    add("Формула", QString::fromStdString(w.formula));
    add("Количество отсчетов", QString::number(w.count()));
    add("Шаг dx", QString::number(dx, 'g', 10));
    add("Частота отсчетов (1/dx)", dx > 0 ? QString::number(1.0 / dx, 'f', 6) : QString());
    add("Длина (N·dx)", QString::number(static_cast<double>(w.count()) * dx, 'f', 6));
    add("Минимум", QString::number(w.min, 'g', 10));
    add("Максимум", QString::number(w.max, 'g', 10));
    add("Зафиксировано", w.fixed ? "да" : "нет");
    if (!w.error.empty()) add("Ошибка", QString::fromStdString(w.error));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.exec();
}

}  // namespace zel
