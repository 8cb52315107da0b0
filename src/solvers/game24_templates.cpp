// The expression templates of the 24 game. Each row gives a template over a, b, c and d and
// the letter words that rename it: the word w1 w2 w3 w4 stands for the template with a, b, c
// and d replaced at the same time by w1, w2, w3 and w4. A row whose words are "listed" gives
// its templates in full. Named word lists: "all" (the 24 orders, alphabetical) and the orders
// kept by a condition on letter places, "1<2" (first letter before second), "2<3", "3<4" and
// "1<2, 3<4". As functions of a, b, c and d the templates cover every expression that uses
// each letter once with + - * / and brackets; the order of the rows is the order of answers.
#include <algorithm>
#include <array>
#include <sstream>

#include "solvers.h"

namespace {

struct TemplateRow {
    const char *templates; // one template, or several separated by blanks when listed
    const char *words;
};

// clang-format off
const TemplateRow kRows[] = {
    {"a+b+c+d", "abcd"},
    {"a-b+c+d", "abcd acbd adbc bacd"},
    {"a*b+c+d", "1<2, 3<4"},
    {"a/b+c+d", "abcd bacd acbd cabd adbc dabc bcad cbad bdac dbac cdab dcab"},
    {"a-b-c+d a-b+c-d a+b-c-d b-a-c+d b-a+c-d c-a-b+d", "listed"},
    {"a*b-c+d", "1<2"},
    {"a/b+c-d", "all"},
    {"a+b-c*d", "1<2, 3<4"},
    {"a*b*c+d", "bcda acdb abdc abcd"},
    {"a*b/c+d", "1<2"},
    {"a+b-c/d", "1<2"},
    {"a/(b*c)+d", "2<3"},
    {"a*(b+c)+d", "2<3"},
    {"a*(b-c)+d", "abcd acbd abdc adbc acdb adcb bacd bcad badc bdac bcda bdca cabd cbad cadb cdab cbda "
                  "cdba dabc dbac dacb dcab dbca dcba"},
    {"a/(b+c)+d", "2<3"},
    {"(a+b)/c+d", "1<2"},
    {"(a-b)/c+d", "abcd abdc bacd badc acbd acdb cabd cadb adbc adcb dabc dacb bcad bcda cbad cbda bdac "
                  "bdca dbac dbca cdab cdba dcab dcba"},
    {"a/(b-c)+d", "abcd acbd abdc adbc acdb adcb bacd bcad badc bdac bcda bdca cabd cbad cadb cdab cbda "
                  "cdba dabc dbac dacb dcab dbca dcba"},
    {"a*b+c*d", "abcd acbd adbc"},
    {"a/b+c*d", "3<4"},
    {"a/b+c/d", "abcd abdc acbd acdb adbc adcb bacd badc bcda bdca cadb cbda"},
    {"a*b-c*d", "1<2, 3<4"},
    {"a/b-c*d", "3<4"},
    {"a*b-c/d", "1<2"},
    {"a/b-c/d", "all"},
    {"(a+b)*(c+d)", "abcd acbd adbc"},
    {"(a+b)*(c-d)", "1<2"},
    {"a*b*(c+d)", "1<2, 3<4"},
    {"a*(b+c)/d", "acdb abdc abcd bcda badc bacd cbda cadb cabd dbca dacb dabc"},
    {"(a-b)*(c-d)", "abcd abdc acbd acdb adbc adcb bacd badc bcda bdca cadb cbda"},
    {"a*b*(c-d)", "1<2"},
    {"a*(b-c)/d", "acdb abdc abcd bcda badc bacd cbda cadb cabd dbca dacb dabc adcb adbc acbd bdca bdac "
                  "bcad cdba cdab cbad dcba dcab dbac"},
    {"a*b*c*d", "abcd"},
    {"a*b*c/d", "abcd abdc acdb bcda"},
    {"(a*b)/(c*d)", "1<2, 3<4"},
    {"(a+b)/(c+d)", "1<2, 3<4"},
    {"(a-b)/(c+d)", "3<4"},
    {"a*b/(c+d)", "1<2, 3<4"},
    {"a/(b*(c+d))", "3<4"},
    {"(a+b)/(c-d)", "1<2"},
    {"(a-b)/(c-d)", "abcd abdc acbd acdb adbc adcb bacd badc bcad bcda bdac bdca cabd cadb cbad cbda "
                    "cdab cdba"},
    {"a*b/(c-d)", "1<2"},
    {"a/(b*(c-d))", "abcd acbd adbc bacd bcad bdac cabd cbad cdab dabc dbac dcab abdc acdb adcb badc "
                    "bcda bdca cadb cbda cdba dacb dbca dcba"},
    {"(a+b)/(c*d)", "1<2, 3<4"},
    {"(a-b)/(c*d)", "abcd acbd adbc bcad bdac cdab bacd cabd dabc cbad dbac dcab"},
    {"a/(b*c*d)", "abcd bacd cabd dabc"},
    {"a*b+c-d", "1<2"},
    {"a-b-c-d", "abcd bacd cabd dabc"},
    {"a*b-c-d", "1<2, 3<4"},
    {"a/b-c-d", "3<4"},
    {"a-b*c-d", "abcd abdc acdb bacd badc bcda cbda cadb cabd dbca dacb dabc"},
    {"a*b*c-d", "abcd abdc acdb bcda"},
    {"a*b/c-d", "1<2"},
    {"a+b/c-d", "all"},
    {"a-b/c-d", "all"},
    {"a/(b*c)-d", "2<3"},
    {"(a+b)*c-d", "1<2"},
    {"(a-b)*c-d", "all"},
    {"a/(b+c)-d", "2<3"},
    {"(a+b)/c-d", "1<2"},
    {"(a-b)/c-d", "all"},
    {"a/(b-c)-d", "abcd abdc acdb acbd adbc adcb bacd badc bcda bcad bdac bdca cabd cadb cbda cbad cdab "
                  "cdba dabc dacb dbca dbac dcab dcba"},
    {"(a+b+c)*d", "abcd abdc acdb bcda"},
    {"(a-b+c)*d (a+b-c)*d (b+c-a)*d (a-b+d)*c (a+b-d)*c (b+d-a)*c "
     "(a-c+d)*b (a+c-d)*b (c+d-a)*b (b-c+d)*a (b+c-d)*a (c+d-b)*a",
     "listed"},
    {"(a*b+c)*d", "abcd acbd bcad abdc adbc bdac acdb adcb cdab bcda bdca cdba"},
    {"(a/b+c)*d", "abcd acbd bcad bacd cabd cbad abdc adbc bdac badc dabc dbac acdb adcb cdab cadb dacb "
                  "dcab bcda bdca cdba cbda dbca dcba"},
    {"(a-b-c)*d", "abcd bacd cabd abdc badc dabc acdb cadb dacb bcda cbda dbca"},
    {"(a*b-c)*d", "abcd acbd bcad abdc adbc bdac acdb adcb cdab bcda bdca cdba"},
    {"(a-b*c)*d", "2<3"},
    {"(a/b-c)*d", "abcd acbd bcad bacd cabd cbad abdc adbc bdac badc dabc dbac acdb adcb cdab cadb dacb "
                  "dcab bcda bdca cdba cbda dbca dcba"},
    {"(a-b/c)*d", "abcd acbd bacd bcad cabd cbad abdc adbc badc bdac dabc dbac acdb adcb cadb cdab dacb "
                  "dcab bcda bdca cbda cdba dbca dcba"},
    {"(a+b+c)/d", "abcd abdc acdb bcda"},
    {"(a-b+c)/d (a+b-c)/d (b+c-a)/d (a-b+d)/c (a+b-d)/c (b+d-a)/c "
     "(a-c+d)/b (a+c-d)/b (c+d-a)/b (b-c+d)/a (b+c-d)/a (c+d-b)/a",
     "listed"},
    {"(a*b+c)/d", "abcd acbd bcad abdc adbc bdac acdb adcb cdab bcda bdca cdba"},
    {"(a/b+c)/d", "abcd acbd bcad bacd cabd cbad abdc adbc bdac badc dabc dbac acdb adcb cdab cadb dacb "
                  "dcab bcda bdca cdba cbda dbca dcba"},
    {"(a-b-c)/d", "abcd bacd cabd abdc badc dabc acdb cadb dacb bcda cbda dbca"},
    {"(a*b-c)/d", "abcd acbd bcad abdc adbc bdac acdb adcb cdab bcda bdca cdba"},
    {"(a/b-c)/d", "abcd acbd bcad bacd cabd cbad abdc adbc bdac badc dabc dbac acdb adcb cdab cadb dacb "
                  "dcab bcda bdca cdba cbda dbca dcba"},
    {"(a-b*c)/d", "abcd bcad cabd abdc badc dabc acdb cadb dacb bcda cbda dbca"},
    {"(a-b/c)/d", "abcd acbd bacd bcad cabd cbad abdc adbc badc bdac dabc dbac acdb adcb cadb cdab dacb "
                  "dcab bcda bdca cbda cdba dbca dcba"},
    {"a/((b+c)*d)", "2<3"},
    {"a/((b-c)*d)", "abcd abdc acdb acbd adbc adcb bacd badc bcda bcad bdac bdca cabd cadb cbda cbad "
                    "cdab cdba dabc dacb dbca dbac dcab dcba"},
    {"a-b-c*d", "dabc dbac dcab cabd cbad cdab bacd bcad bdac abcd acbd adbc"},
    {"a-b*c*d", "abcd bacd cabd dabc"},
    {"a-b*c/d", "2<3"},
    {"a-b-c/d", "all"},
    {"a-b/(c*d)", "3<4"},
    {"a-b*(c+d)", "3<4"},
    {"a-b*(c-d)", "all"},
    {"a-b/(c+d)", "3<4"},
    {"a-(b+c)/d", "2<3"},
    {"a-(b-c)/d", "abcd abdc acbd acdb adbc adcb bacd badc bcda bcad bdac bdca cabd cadb cbda cbad cdab "
                  "cdba dabc dacb dbca dbac dcab dcba"},
    {"a-b/(c-d)", "all"},
    {"a/(b+c+d)", "abcd bacd cabd dabc"},
    {"a/(b-c+d) a/(b+c-d) a/(c-b+d) b/(a-c+d) b/(a+c-d) b/(c-a+d) "
     "c/(a-b+d) c/(a+b-d) c/(b-a+d) d/(a-b+c) d/(a+b-c) d/(b-a+c)",
     "listed"},
    {"a/(b*c+d)", "2<3"},
    {"a/(b/c+d)", "abcd abdc acdb acbd adbc adcb bacd badc bcda bcad bdac bdca cabd cadb cbda cbad cdab "
                  "cdba dabc dacb dbca dbac dcab dcba"},
    {"a/(b-c-d)", "3<4"},
    {"a/(b*c-d)", "2<3"},
    {"a/(b/c-d)", "abcd abdc acdb acbd adbc adcb bacd badc bcda bcad bdac bdca cabd cadb cbda cbad cdab "
                  "cdba dabc dacb dbca dbac dcab dcba"},
    {"a/(b-c*d)", "3<4"},
    {"a/(b+c/d)", "all"},
    {"a/(b-c/d)", "all"},
};
// clang-format on

// The 24 orders of a, b, c and d, alphabetical, kept when `keep` accepts the letter places.
template <typename Keep> std::vector<std::string> ordersWhere(Keep keep) {
    std::vector<std::string> out;
    std::string w = "abcd";
    do
        if (keep(w)) out.push_back(w);
    while (std::next_permutation(w.begin(), w.end()));
    return out;
}

std::vector<std::string> wordsOf(const std::string &spec) {
    if (spec == "all") return ordersWhere([](const std::string &) { return true; });
    if (spec == "1<2") return ordersWhere([](const std::string &w) { return w[0] < w[1]; });
    if (spec == "2<3") return ordersWhere([](const std::string &w) { return w[1] < w[2]; });
    if (spec == "3<4") return ordersWhere([](const std::string &w) { return w[2] < w[3]; });
    if (spec == "1<2, 3<4")
        return ordersWhere([](const std::string &w) { return w[0] < w[1] && w[2] < w[3]; });
    std::vector<std::string> out;
    std::istringstream in(spec);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

std::string renamed(const std::string &pattern, const std::string &word) {
    std::string t = pattern;
    for (char &ch : t)
        if (ch >= 'a' && ch <= 'd') ch = word[size_t(ch - 'a')];
    return t;
}

std::vector<std::string> buildTemplates() {
    std::vector<std::string> out;
    for (const TemplateRow &row : kRows) {
        std::string words = row.words;
        if (words == "listed") {
            std::istringstream in(row.templates);
            for (std::string t; in >> t;) out.push_back(t);
            continue;
        }
        for (const std::string &w : wordsOf(words)) out.push_back(renamed(row.templates, w));
    }
    return out;
}

} // namespace

const std::vector<std::string> &game24_templates() {
    static const std::vector<std::string> templates = buildTemplates();
    return templates;
}
