// Which panes an F-K analysis takes, and what the analyst is told about the others.

#include "wave/FkPanes.h"

#include <gtest/gtest.h>

#include "base/MessageSink.h"

namespace zel {
namespace {

TracePane Pane(int number, int station, bool active, bool withSignal,
               std::optional<std::pair<double, double>> mark) {
    TracePane p(number, PaneChannel{station, 0, "BKA" + std::to_string(station), "SHZ"}, 100.0, 60.0);
    p.active = active;
    p.intervalMark = mark;
    if (withSignal) p.setTransformed(TransformedSignal{std::vector<float>(6000, 1.0f), 100.0, {}, 0, 0});
    return p;
}

TEST(CollectFkPanes, TakesActivePanesWithSignalAndMarkAndWarnsOfTheOthers) {
    std::vector<Station> stations(3);
    stations[1].dnorth = 0.6f;
    stations[1].deast = -0.25f;
    TracePane main = Pane(1, 1, true, true, std::pair{130.0, 120.0});  // marks in either order
    main.main = true;
    TracePane inactive = Pane(2, 2, false, false, std::nullopt);  // never considered
    TracePane noSignal = Pane(3, 2, true, false, std::pair{120.0, 130.0});
    TracePane outside = Pane(4, 0, true, true, std::pair{150.0, 170.0});  // ends past the pane
    RecordingMessageSink messages;
    const auto taken = CollectFkPanes({&main, &inactive, &noSignal, &outside}, stations, messages);
    ASSERT_TRUE(taken);
    ASSERT_EQ(taken->size(), 1u);
    EXPECT_EQ((*taken)[0].station, "BKA1");
    EXPECT_EQ((*taken)[0].pane, 1);
    EXPECT_EQ((*taken)[0].data.dnorth, 0.6f);
    EXPECT_EQ((*taken)[0].data.deast, -0.25f);
    EXPECT_EQ((*taken)[0].data.start, 100.0);
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages()[0].text,
              "Окно D3 не содержит данных преобразованного сигнала и будет исключено из расчета.");
    EXPECT_EQ(
        messages.messages()[1].text,
        "Выбранный временной интервал находится вне пределов окна волновых форм T4 станции 'BKA0' канала "
        "'SHZ' или отсутствует\n Канал будет исключен из расчета\n");

    // Cancel abandons the command; no main pane: nothing at all; nobody left: the empty-list message.
    RecordingMessageSink cancelling;
    cancelling.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(CollectFkPanes({&main, &noSignal, &outside}, stations, cancelling));
    EXPECT_EQ(cancelling.messages().size(), 1u);
    RecordingMessageSink quiet;
    EXPECT_FALSE(CollectFkPanes({&noSignal}, stations, quiet));
    EXPECT_TRUE(quiet.messages().empty());
    noSignal.main = true;
    EXPECT_FALSE(CollectFkPanes({&noSignal}, stations, quiet));
    EXPECT_EQ(quiet.messages().back().text,
              "Список отобраных каналов пуст. Модуль F-K анализа запущен не будет.");
}

}  // namespace
}  // namespace zel
