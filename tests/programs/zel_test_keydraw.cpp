// Draws keys from one database and prints them, one a line: the concurrency test runs two of these at once.
// usage: zel_test_keydraw CONNECT COUNT [KEYNAME]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/MessageSink.h"
#include "db/Databases.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s CONNECT COUNT [KEYNAME]\n", argv[0]);
        return 2;
    }
    zel::DatabaseSettings settings;
    settings.odbc = argv[1];
    settings.localLastId = true;
    zel::RecordingMessageSink messages;
    zel::Databases databases(settings, messages);
    if (!databases.openWorkDb()) {
        std::fprintf(stderr, "%s\n", messages.messages().back().text.c_str());
        return 1;
    }
    const int count = std::atoi(argv[2]);
    const std::string key = argc > 3 ? argv[3] : "arid";
    for (int i = 0; i < count; ++i) std::printf("%lld\n", static_cast<long long>(databases.nextKey(key)));
    return 0;
}
