#include "app/ui/SettingsSheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/ui/MainFrame.h"
#include "base/ZelError.h"
#include "config/InterfaceLanguage.h"
#include "dsp/ui/ExtProgFkSetup.h"
#include "session/AppContext.h"
#include "wave/ui/WaveformsSetupPage.h"

namespace zel {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

class WorkingDirPage : public SettingsPage {  // CSetWorkingDirDlg
  public:
    explicit WorkingDirPage(AppContext& c) : context_(c) {
        auto* form = new QFormLayout(this);
        const StartupSettings& s = c.settings();
        form->addRow(qtTrId("Каталог данных (дисковая петля):"), data_ = new QLineEdit(Q(s.dataDir)));
        form->addRow(qtTrId("Каталог отчетов:"), out_ = new QLineEdit(Q(s.outDir)));
        form->addRow(qtTrId("Каталог таблиц CSS 3.0:"), css_ = new QLineEdit(Q(s.cssDataPath)));
        form->addRow(qtTrId("Каталог бюллетеней IMS/REB:"), ims_ = new QLineEdit(Q(s.imsRebPath)));
        form->addRow(saveCss_ = new QCheckBox(qtTrId("Сохранять события в БД CSS")));
        form->addRow(wfd_ = new QCheckBox(qtTrId("Искать волновые формы в таблице wfdisc БД CSS")));
        form->addRow(useTend_ = new QCheckBox(qtTrId("Использовать поле TEND")));
        saveCss_->setChecked(s.saveToCssDb);
        wfd_->setChecked(s.wfd);
        useTend_->setChecked(s.useTend);
    }
    void save() override {
        StartupSettings& s = context_.settings();
        s.dataDir = S(data_->text());  // this run only
        s.outDir = S(out_->text());
        s.cssDataPath = S(css_->text());
        s.imsRebPath = S(ims_->text());
        s.saveToCssDb = saveCss_->isChecked();
        s.wfd = wfd_->isChecked();
        s.useTend = useTend_->isChecked();
        SaveWorkingDirectories(context_.ini(), s);
    }

  private:
    AppContext& context_;
    QLineEdit *data_, *out_, *css_, *ims_;
    QCheckBox *saveCss_, *wfd_, *useTend_;
};

class Css30OutputPage : public SettingsPage {  // CEditSaveDataToCSS30PropertyPage
  public:
    explicit Css30OutputPage(AppContext& c) : context_(c) {
        auto* form = new QFormLayout(this);
        form->addRow(qtTrId("Каталог вывода CSS 3.0:"), dir_ = new QLineEdit(Q(c.settings().css30OutputDir)));
        form->addRow(qtTrId("Формат отсчетов:"), format_ = new QComboBox);
        format_->addItems({"0", "1", "2", "3"});
        format_->setCurrentIndex(std::clamp(c.settings().css30OutputFormat, 0, 3));
    }
    void save() override {
        StartupSettings& s = context_.settings();
        s.css30OutputDir = S(dir_->text());
        s.css30OutputFormat = format_->currentIndex();
        context_.ini().write({{"CSS30DATAOUTPUT", "DIR", s.css30OutputDir},
                              {"CSS30DATAOUTPUT", "FORMAT", std::to_string(s.css30OutputFormat)}});
    }

  private:
    AppContext& context_;
    QLineEdit* dir_;
    QComboBox* format_;
};

class AmplitudeOptionsPage : public SettingsPage {  // SetupCalpAmpOptions
  public:
    explicit AmplitudeOptionsPage(AppContext& c) : context_(c) {
        auto* page = new QVBoxLayout(this);
        auto* frame = new QGroupBox(qtTrId("Расчет амплитуды по умолчанию"), this);
        auto* box = new QVBoxLayout(frame);
        page->addWidget(frame);
        group_ = new QButtonGroup(this);
        // Each button's id is the method code the measurement reads from AMPLITUDE/DEFAULT.
        const char* methods[] = {QT_TRID_NOOP("по АЧХ (FAP-файлы в каталоге Response)"),
                                 QT_TRID_NOOP("по Calib и Calper"),
                                 QT_TRID_NOOP("по АЧХ из БД (нули/полюса или FAP)")};
        for (int i = 0; i < 3; ++i) {
            auto* radio = new QRadioButton(qtTrId(methods[i]));
            group_->addButton(radio, i);
            box->addWidget(radio);
        }
        if (auto* b = group_->button(std::clamp(c.settings().amplitudeDefault, 0, 2))) b->setChecked(true);
        page->addStretch();
    }
    void save() override {
        context_.settings().amplitudeDefault = std::max(0, group_->checkedId());
        context_.ini().writeString("AMPLITUDE", "DEFAULT",
                                   std::to_string(context_.settings().amplitudeDefault));
    }

  private:
    AppContext& context_;
    QButtonGroup* group_;
};

class PhaseSetPage : public SettingsPage {  // CSelectPhaseSet
  public:
    explicit PhaseSetPage(AppContext& c) : context_(c) {
        auto* form = new QFormLayout(this);
        form->addRow(qtTrId("Текущий набор:"), selection_ = new QComboBox);
        selection_->addItems({"Teleseismic", "Regional", "Local", ""});
        selection_->setCurrentIndex(c.settings().phasePreset);
        for (const char* name : {"Teleseismic", "Regional", "Local"}) {
            auto* edit = new QLineEdit(Q(c.ini().getString("PRESELECTED PHASES", name)));
            form->addRow(QString(name) + ":", edit);
            lists_.push_back(edit);
        }
    }
    void save() override {
        StartupSettings& s = context_.settings();
        s.phasePresetSelection = S(selection_->currentText());
        s.phasePreset = PhasePresetIndex(s.phasePresetSelection);
        std::vector<ProfileChange> changes = {{"PRESELECTED PHASES", "Selection", s.phasePresetSelection}};
        const char* names[] = {"Teleseismic", "Regional", "Local"};
        for (int i = 0; i < 3; ++i) changes.push_back({"PRESELECTED PHASES", names[i], S(lists_[i]->text())});
        context_.ini().write(changes);
    }

  private:
    AppContext& context_;
    QComboBox* selection_;
    std::vector<QLineEdit*> lists_;
};

// The language takes effect at the next start: every window builds its texts once.
class LanguagePage : public SettingsPage {
  public:
    explicit LanguagePage(AppContext& c) : context_(c) {
        auto* form = new QFormLayout(this);
        form->addRow(qtTrId("Язык интерфейса:"), language_ = new QComboBox);
        // The language's own name, the same in both interfaces.
        language_->addItem(qtTrId("по языку системы (LANG)"), QString());
        language_->addItem(qtTrId("Русский"), "ru");
        language_->addItem("English", "en");
        const auto chosen = ParseInterfaceLanguage(c.settings().interfaceLanguage);
        language_->setCurrentIndex(chosen ? language_->findData(InterfaceLanguageCode(*chosen)) : 0);
        auto* note = new QLabel(qtTrId("Новый язык интерфейса действует со следующего запуска ZEL."));
        note->setWordWrap(true);
        form->addRow(note);
    }
    void save() override {
        context_.settings().interfaceLanguage = S(language_->currentData().toString());
        context_.ini().writeString("INTERFACE", "LANGUAGE", context_.settings().interfaceLanguage);
    }

  private:
    AppContext& context_;
    QComboBox* language_;
};

}  // namespace

SettingsSheet::SettingsSheet(AppContext& context, CMainFrame* frame) : QDialog(frame) {
    setWindowTitle(qtTrId("Установки"));
    tabs_ = new QTabWidget(this);
    auto add = [this](SettingsPage* page, const char* title) {
        pages_.push_back(page);
        tabs_->addTab(page, qtTrId(title));
    };
    add(new WorkingDirPage(context), QT_TRID_NOOP("Рабочие каталоги"));
    add(new Css30OutputPage(context), QT_TRID_NOOP("Вывод CSS 3.0"));
    add(new AmplitudeOptionsPage(context), QT_TRID_NOOP("Амплитуда и период"));
    add(new PhaseSetPage(context), QT_TRID_NOOP("Наборы фаз"));
    add(new CWaveformsSetupPage(context, frame ? frame->waveforms() : nullptr),
        QT_TRID_NOOP("Установки окна \"Волновые формы\""));
    add(new CExtProgFKSetup(context), QT_TRID_NOOP("Настройка параметров внешней программы F-K анализа"));
    add(new LanguagePage(context), QT_TRID_NOOP("Язык"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this, &context] {
        try {
            saveAll();
            accept();
        } catch (const ZelError& e) {
            context.messages().show(
                {e.what(), qtTrId("Установки").toStdString(), MessageIcon::Error, MessageButtons::Ok});
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void SettingsSheet::saveAll() {
    for (SettingsPage* page : pages_) page->save();
}

}  // namespace zel
