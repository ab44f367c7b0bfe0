#pragma once
// Puts a Qt program into its interface language for as long as the object lives: Qt's own texts
// (buttons, the file and colour dialogs) in Russian for the Russian interface, and one catalogue
// of ours, which translates both the Qt code's qtTrId texts and the core's Tr templates.
//
// The workstation's texts are Russian and its catalogue is English; zelbatch's own sentences are
// English and its catalogue Russian, while the core's texts it prints use the workstation's.

#include <memory>

#include "config/InterfaceLanguage.h"

class QTranslator;

namespace zel {

enum class TranslatedProgram { Workstation, Batch };

class InterfaceTranslation {
  public:
    InterfaceTranslation(InterfaceLanguage language, TranslatedProgram program);
    ~InterfaceTranslation();
    InterfaceTranslation(const InterfaceTranslation&) = delete;
    InterfaceTranslation& operator=(const InterfaceTranslation&) = delete;

    // For an application made after the language (zelbatch's offscreen drawing): Qt code's texts
    // then translate too.
    static void joinApplication();

  private:
    std::unique_ptr<QTranslator> qtTexts_, catalogue_;
};

}  // namespace zel
