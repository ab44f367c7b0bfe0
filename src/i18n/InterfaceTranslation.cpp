#include "i18n/InterfaceTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "base/UserText.h"

namespace zel {
namespace {

const QTranslator* g_catalogue = nullptr;
InterfaceTranslation* g_live = nullptr;

std::string TranslateByCatalogue(const char* id) {
    const QString text = g_catalogue ? g_catalogue->translate(nullptr, id) : QString();
    return text.isEmpty() ? std::string(id) : text.toStdString();
}

void InstallInApplication(QTranslator* translator) {
    if (translator && QCoreApplication::instance()) QCoreApplication::installTranslator(translator);
}

// Without an application (zelbatch's plain commands) only the core's texts are translated.
std::unique_ptr<QTranslator> Loaded(const QString& file, const QString& dir) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, dir)) return nullptr;
    InstallInApplication(translator.get());
    return translator;
}

}  // namespace

InterfaceTranslation::InterfaceTranslation(InterfaceLanguage language, TranslatedProgram program) {
    const bool russian = language == InterfaceLanguage::Russian;
    if (russian)
        qtTexts_ = Loaded(QLocale(QLocale::Russian, QLocale::Russia).name().prepend("qtbase_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Each program's source texts are already in one of the languages.
    const char* catalogue = program == TranslatedProgram::Batch ? (russian ? "zelbatch_ru" : "zel_en")
                                                                : (russian ? nullptr : "zel_en");
    if (catalogue) catalogue_ = Loaded(catalogue, ":/translations");
    g_catalogue = catalogue_.get();
    SetTextTranslator(catalogue_ ? TranslateByCatalogue : nullptr);
    SetCurrentInterfaceLanguage(language);
    g_live = this;
}

void InterfaceTranslation::joinApplication() {
    if (!g_live) return;
    InstallInApplication(g_live->qtTexts_.get());
    InstallInApplication(g_live->catalogue_.get());
}

InterfaceTranslation::~InterfaceTranslation() {
    if (g_live == this) g_live = nullptr;
    SetTextTranslator(nullptr);
    g_catalogue = nullptr;
    SetCurrentInterfaceLanguage(InterfaceLanguage::Russian);
    if (QCoreApplication::instance()) {
        if (catalogue_) QCoreApplication::removeTranslator(catalogue_.get());
        if (qtTexts_) QCoreApplication::removeTranslator(qtTexts_.get());
    }
}

}  // namespace zel
