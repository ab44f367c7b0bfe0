#include "wave/FkPanes.h"

#include <algorithm>

#include "base/MessageSink.h"
#include "base/UserText.h"

namespace zel {
namespace {

// False when the analyst chose Cancel.
bool Warn(MessageSink& messages, const std::string& text) {
    return messages.show({text, "ZEL", MessageIcon::Warning, MessageButtons::OkCancel}) !=
           MessageAnswer::Cancel;
}

}  // namespace

std::optional<std::vector<FkExchangeChannel>> CollectFkPanes(const std::vector<const TracePane*>& panes,
                                                             const std::vector<Station>& stations,
                                                             MessageSink& messages) {
    if (std::none_of(panes.begin(), panes.end(), [](const TracePane* p) { return p->main; }))
        return std::nullopt;
    std::vector<FkExchangeChannel> taking;
    for (const TracePane* p : panes) {
        if (!p->active) continue;
        const auto& signal = p->transformed();
        if (!signal || signal->samples.empty()) {
            if (!Warn(messages,
                      Tr("Окно D%1 не содержит данных преобразованного сигнала и будет исключено из "
                         "расчета.")
                          .arg(p->number())))
                return std::nullopt;
            continue;
        }
        const auto& mark = p->intervalMark;
        const double end = p->start() + p->duration();
        auto inside = [&](double t) { return t >= p->start() && t <= end; };
        if (!mark || !inside(mark->first) || !inside(mark->second)) {
            if (!Warn(messages,
                      Tr("Выбранный временной интервал находится вне пределов окна волновых форм T%1 "
                         "станции '%2' канала '%3' или отсутствует\n Канал будет исключен из расчета\n")
                          .arg(p->number())
                          .arg(p->channel().station)
                          .arg(p->channel().channel)))
                return std::nullopt;
            continue;
        }
        FkExchangeChannel c{p->channel().station, p->channel().channel, {}, p->number()};
        c.data = {signal->samples, p->start(), signal->sps, mark->first, mark->second, 0.0, 0.0};
        const int s = p->channel().stationIndex;
        if (s >= 0 && static_cast<std::size_t>(s) < stations.size()) {
            c.data.dnorth = stations[static_cast<std::size_t>(s)].dnorth;
            c.data.deast = stations[static_cast<std::size_t>(s)].deast;
        }
        taking.push_back(std::move(c));
    }
    if (taking.empty()) {
        messages.show({Tr("Список отобраных каналов пуст. Модуль F-K анализа запущен не будет."), "ZEL",
                       MessageIcon::Warning, MessageButtons::Ok});
        return std::nullopt;
    }
    return taking;
}

}  // namespace zel
