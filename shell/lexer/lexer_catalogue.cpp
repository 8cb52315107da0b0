#include "lexer_catalogue.h"

#include "cpp_lexer.h"

#include <iterator>

namespace lexers {

namespace {

struct CatalogueEntry {
    std::string_view name;
    EditorLexer *(*make)();
};

const CatalogueEntry CATALOGUE[] = {
    {"cpp", [] { return static_cast<EditorLexer *>(new CppLexer); }},
};

}  // namespace

int LexerCount() { return int(std::size(CATALOGUE)); }

std::string_view LexerName(int index) {
    if (index < 0 || index >= LexerCount()) return {};
    return CATALOGUE[index].name;
}

EditorLexer *MakeLexer(std::string_view name) {
    for (const CatalogueEntry &entry : CATALOGUE)
        if (entry.name == name) return entry.make();
    return nullptr;
}

}  // namespace lexers
