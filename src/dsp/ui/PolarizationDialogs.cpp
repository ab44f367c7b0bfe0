#include "dsp/ui/PolarizationDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "wave/PolarizationWindow.h"

namespace zel {

CAzimParam::CAzimParam(std::array<int, 3> panes, const std::vector<std::string>& phaseNames, Calculate calculate,
                       bool& useTransformed, QWidget* parent)
    : QDialog(parent), panes_(panes), calculate_(std::move(calculate)), useTransformed_(useTransformed) {
    setWindowTitle(qtTrId("Параметры"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const char* labels[3] = {"Z", "X(NS)", "Y(EW)"};
    const char* ids[3] = {"718", "719", "720"};
    for (int i = 0; i < 3; ++i) {
        fields_[static_cast<std::size_t>(i)] = new QLineEdit(this);
        fields_[static_cast<std::size_t>(i)]->setObjectName(ids[i]);
        form->addRow(labels[i], fields_[static_cast<std::size_t>(i)]);
    }
    transformed_ = new QCheckBox(qtTrId("Использовать преобразованный сигнал"), this);
    transformed_->setObjectName("1197");
    transformed_->setChecked(useTransformed_);
    form->addRow(transformed_);
    phase_ = new QComboBox(this);
    phase_->setObjectName("1006");
    for (const std::string& name : phaseNames) phase_->addItem(QString::fromStdString(name));
    phase_->setCurrentIndex(phaseNames.empty() ? -1 : 0);
    form->addRow(qtTrId("Ассоциировать с фазой"), phase_);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    auto* run = new QPushButton(qtTrId("Рассчитать"), this);
    auto* quit = new QPushButton(qtTrId("Выйти"), this);
    run->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(quit);
    layout->addLayout(buttons);
    connect(run, &QPushButton::clicked, this, &CAzimParam::calculate);
    connect(quit, &QPushButton::clicked, this, &CAzimParam::reject);
    connect(transformed_, &QCheckBox::toggled, this, [this](bool on) {
        useTransformed_ = on;
        fill();
    });
    fill();
}

void CAzimParam::fill() {
    for (std::size_t i = 0; i < 3; ++i)
        fields_[i]->setText(panes_[i] > 0 ? QString::fromStdString(PaneSignalText(panes_[i], useTransformed_))
                                          : QString());
}

void CAzimParam::calculate() {
    if (!calculate_) return;
    std::array<std::string, 3> names;
    for (std::size_t i = 0; i < 3; ++i) names[i] = fields_[i]->text().trimmed().toStdString();
    const int fault = calculate_(names, transformed_->isChecked(), phase_->currentIndex());
    if (fault >= 0 && fault < 3) {
        fields_[static_cast<std::size_t>(fault)]->setFocus();
        fields_[static_cast<std::size_t>(fault)]->selectAll();
    }
}

CShowAzim::CShowAzim(const PolarizationResult& r, const QString& phase, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Результаты поляризационного анализа"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto value = [&](const QString& label, double v, int decimals) {
        auto* field = new QLineEdit(QString::number(v, 'f', decimals), this);
        field->setReadOnly(true);
        form->addRow(label, field);
    };
    value(qtTrId("Азимут по горизонтальным компонентам (град.)"), r.horizontalAzimuth, 1);
    value(qtTrId("Азимут (град.)"), r.azimuth, 1);
    value(qtTrId("Угол падения (град.)"), r.incidence, 1);
    value(qtTrId("Планарность"), r.planarity, 3);
    value(qtTrId("Прямолинейность"), r.rectilinearity, 3);
    layout->addLayout(form);
    if (!phase.isEmpty())
        layout->addWidget(new QLabel(qtTrId("OK: записать результат в фазу %1").arg(phase), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(qtTrId("Отмена"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CPartMotion::CPartMotion(QWidget* parent) : QWidget(parent) {
    setMinimumSize(450, 170);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void CPartMotion::setMotion(std::vector<double> z, std::vector<double> x, std::vector<double> y) {
    if (z.size() != x.size() || z.size() != y.size()) z.clear(), x.clear(), y.clear();
    for (std::vector<double>* c : {&z, &x, &y}) {
        if (c->empty()) continue;
        double mean = 0;
        for (double v : *c) mean += v;
        mean /= static_cast<double>(c->size());
        for (double& v : *c) v -= mean;
    }
    z_ = std::move(z);
    x_ = std::move(x);
    y_ = std::move(y);
    update();
}

namespace {

void Arrow(QPainter& p, QPoint from, QPoint to) {
    p.drawLine(from, to);
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const double len = std::hypot(dx, dy);
    if (len < 1) return;
    const double ux = dx / len, uy = dy / len;
    const QPointF back(to.x() - 5 * ux, to.y() - 5 * uy);
    p.drawLine(to, (back + QPointF(-3 * uy, 3 * ux)).toPoint());
    p.drawLine(to, (back - QPointF(-3 * uy, 3 * ux)).toPoint());
}

// One projection: `h` along the horizontal axis, `v` upward, on a range common to both.
void Panel(QPainter& p, const QRect& r, const std::vector<double>& h, const std::vector<double>& v,
           const QString& hLabel, const QString& vLabel) {
    auto [hlo, hhi] = std::minmax_element(h.begin(), h.end());
    auto [vlo, vhi] = std::minmax_element(v.begin(), v.end());
    double lo = std::min(*hlo, *vlo), hi = std::max(*hhi, *vhi);
    if (*hhi - *hlo < 1e-4 || *vhi - *vlo < 1e-4) {
        lo -= 0.001;
        hi += 0.001;
    }
    const double span = hi - lo;
    auto col = [&](double a) { return r.left() + static_cast<int>((a - lo) / span * r.width() + 0.5); };
    auto row = [&](double a) { return r.bottom() - static_cast<int>((a - lo) / span * r.height() + 0.5); };
    p.setPen(QPen(QColor(255, 0, 0), 1));
    QPolygon line(static_cast<int>(h.size()));
    for (int i = 0; i < line.size(); ++i)
        line.setPoint(i, col(h[static_cast<std::size_t>(i)]), row(v[static_cast<std::size_t>(i)]));
    p.drawPolyline(line);
    p.setPen(Qt::black);
    const int x0 = std::clamp(col(0), r.left(), r.right()), y0 = std::clamp(row(0), r.top(), r.bottom());
    Arrow(p, QPoint(r.left(), y0), QPoint(r.right(), y0));
    Arrow(p, QPoint(x0, r.bottom()), QPoint(x0, r.top()));
    p.drawText(r.right() - 10, y0 - 4, hLabel);
    p.drawText(x0 + 4, r.top() + 10, vLabel);
}

}  // namespace

void CPartMotion::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    if (z_.size() < 2) return;
    const int w = width() / 3;
    const int side = std::max(10, std::min(w, height()) - 16);
    for (int k = 0; k < 3; ++k) {
        const QRect r(k * w + (w - side) / 2, (height() - side) / 2, side, side);
        if (k == 0) Panel(p, r, y_, x_, "E", "N");
        if (k == 1) Panel(p, r, x_, z_, "N", "Z");
        if (k == 2) Panel(p, r, y_, z_, "E", "Z");
    }
}

CGet3WindowNames::CGet3WindowNames(QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Движение частиц"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    const char* labels[3] = {"Z", "X (NS)", "Y (EW)"};
    for (std::size_t i = 0; i < 3; ++i) {
        row->addWidget(new QLabel(labels[i], this));
        fields_[i] = new QLineEdit(this);
        fields_[i]->setMaxLength(3);
        fields_[i]->setMaximumWidth(60);
        row->addWidget(fields_[i]);
        connect(fields_[i], &QLineEdit::editingFinished, this, [this] { refresh(); });
    }
    row->addStretch();
    layout->addLayout(row);
    plot_ = new CPartMotion(this);
    layout->addWidget(plot_, 1);
}

std::string CGet3WindowNames::refresh() {
    std::array<std::string, 3> names;
    for (std::size_t i = 0; i < 3; ++i) names[i] = fields_[i]->text().trimmed().toStdString();
    if (!resolve_ || names[0].empty() || names[1].empty() || names[2].empty()) {
        plot_->setMotion({}, {}, {});
        return {};
    }
    Motion m = resolve_(names);
    if (!m.problem.empty()) {
        plot_->setMotion({}, {}, {});
        setToolTip(QString::fromStdString(m.problem));
        return m.problem;
    }
    setToolTip({});
    plot_->setMotion(std::move(m.z), std::move(m.x), std::move(m.y));
    return {};
}

}  // namespace zel
