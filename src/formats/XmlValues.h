#pragma once
// The values the XML exchange formats (StationXML, QuakeML) carry as element text.

#include <optional>

#include <pugixml.hpp>

namespace zel {

// The element's text as a finite number; nothing for a missing element or anything else.
std::optional<double> XmlNumber(const pugi::xml_node& node);

// "2012-03-13T08:10:00[.ffffff][Z]" (the time part optional) as epoch seconds; nothing for an
// impossible date or another form.
std::optional<double> IsoEpoch(const char* text);

}  // namespace zel
