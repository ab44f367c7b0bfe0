// Bulletin phase names against the default catalogue and the shipped legacy-name table.

#include "events/BulletinPhaseNames.h"

#include <gtest/gtest.h>

#include "events/PhaseCatalogue.h"

namespace zel {
namespace {

TEST(BulletinPhaseNames, IscNamesFindTheirCatalogueEntriesAndAmbiguousOnesNone) {
    const PhaseCatalogue catalogue;
    const LegacyPhaseNames legacy = ReadLegacyPhaseNames(ZEL_RESOURCES_DIR);
    ASSERT_FALSE(legacy.empty());
    const struct {
        const char* bulletin;
        const char* catalogue;  // nullptr: nothing matches
    } cases[] = {
        {"Pn", "Pn"},
        {"PN", "Pn"},
        {"SN", "Sn"},
        {"PG", "Pg"},
        {"SG", "Sg"},
        {"P*", "Pb"},
        {"S*", "Sb"},
        {"PCP", "PcP"},
        {"SCS", "ScS"},
        {"PKP", "PKP"},
        {"PKPDF", "PKPdf"},
        {"pkpab", "PKPab"},
        {"SKS", "SKSac"},
        {"LG", "Lg"},
        // The old name of the df branch, not the inner-core reflection PKiKP it equals in capitals.
        {"PKIKP", "PKPdf"},
        {"PKiKP", "PKiKP"},
        {"pP", "pP"},
        {"PP", "PP"},
        {"pp", nullptr},
        {"SP", "SP"},
        {"sp", nullptr},
        {"", nullptr},
        {"XYZ", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bulletin);
        const int index = MatchBulletinPhase(c.bulletin, catalogue, legacy);
        if (!c.catalogue)
            EXPECT_EQ(index, -1);
        else
            EXPECT_EQ(catalogue.Name(index), c.catalogue);
    }
    // Without the table the legacy names are unknown; a comment and a lone word are no pair.
    EXPECT_EQ(MatchBulletinPhase("P*", catalogue, {}), -1);
    EXPECT_EQ(ParseLegacyPhaseNames("# P* Pb\nS* Sb # old\nlone\n"), (LegacyPhaseNames{{"S*", "Sb"}}));
}

}  // namespace
}  // namespace zel
