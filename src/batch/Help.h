#pragma once
// The help pages, made of pieces: a usage line, paragraphs and options. The syntax of a usage and
// the names of an option are typed as the command line takes them and are never translated; the
// texts are templates of one paragraph each, marked ZEL_TR_NOOP where they are written and without
// line breaks of their own: a translation is longer or shorter, so they are wrapped when printed.

#include <initializer_list>
#include <iosfwd>
#include <vector>

namespace zel::batch {

struct HelpItem {
    enum class Kind { Usage, Paragraph, Option, Gap };
    Kind kind;
    // Usage: the syntax from "zelbatch" on, its lines separated by '\n'; otherwise a template.
    const char* text = nullptr;
    const char* names = nullptr;  // an option's names and values, e.g. "--event ID"
};

inline HelpItem Usage(const char* syntax) { return {HelpItem::Kind::Usage, syntax}; }
inline HelpItem Paragraph(const char* id) { return {HelpItem::Kind::Paragraph, id}; }
inline HelpItem Option(const char* names, const char* id) { return {HelpItem::Kind::Option, id, names}; }
// An empty line between sections.
inline HelpItem Gap() { return {HelpItem::Kind::Gap}; }

using Help = std::vector<HelpItem>;

// The pieces one after the other.
Help Joined(std::initializer_list<Help> parts);

// Prints the help in the interface language: paragraphs wrapped to the page width, option texts
// in a column beside the names (below them when the names are too long for it).
void PrintHelp(std::ostream& out, const Help& help);

}  // namespace zel::batch
