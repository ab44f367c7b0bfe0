#include "session/ExitConfirmation.h"

#include "base/UserText.h"

namespace zel {

bool ConfirmExit(bool nothingToSave, MessageSink& messages, const std::function<bool()>& savePhaseList) {
    if (nothingToSave) {
        return messages.show({Tr("Вы согласны завершить работу программы ZEL?"), "ZEL", MessageIcon::Question,
                              MessageButtons::YesNo}) == MessageAnswer::Yes;
    }
    switch (messages.show(
        {Tr("Список фаз не пуст. Сохранить?"), "ZEL", MessageIcon::Question, MessageButtons::YesNoCancel})) {
        case MessageAnswer::Yes:
            return savePhaseList && savePhaseList();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace zel
