// Variables and the symbol table: the identifier and decimal rules, defining, looking up
// and removing variables, and declaring polynomial variables.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "variables/symbol_table.h"

namespace {

const std::string kNameMessageTail = "\n The name of variable should start with English character or _.\n>> ";

TEST(SymbolTable, TypeNames) {
    ASSERT_EQ(type_names.size(), 6u);
    EXPECT_EQ(type_names[3], "std::string");
    EXPECT_EQ(type_names[5], "matrix");
}

TEST(SymbolTable, IdentifierRule) {
    struct Row {
        const char *text;
        bool identifier;
    };
    const Row rows[] = {
        {"a", true},   {"_", true},         {"_1", true},         {"A_b9", true},
        {"", false},   {"1a", false},       {"a-b", false},       {"a b", false},
        {"a.", false}, {"\xc3\xa9", false}, {"x\xc3\xa9", false},
    };
    for (const Row &row : rows) EXPECT_EQ(is_identifier(row.text), row.identifier) << row.text;
    for (char c : std::string("az_AZ09")) EXPECT_FALSE(is_not_identifier_char(c)) << c;
    for (char c : std::string(" .-+(\x80\xff")) EXPECT_TRUE(is_not_identifier_char(c)) << int(c);
}

TEST(SymbolTable, DecimalNumberRule) {
    struct Row {
        const char *text;
        bool decimal;
    };
    const Row rows[] = {
        {"-0.5", true},  {"+.", true},     {".", true},     {"5.", true},    {".5", true},
        {"12.75", true}, {"12", false},    {"", false},     {"-", false},    {"1.2.3", false},
        {"1e.5", false}, {"--1.0", false}, {"1.-5", false}, {" 1.5", false},
    };
    for (const Row &row : rows) EXPECT_EQ(is_decimal_number(row.text), row.decimal) << row.text;
}

TEST(SymbolTable, IntValuesKeepTheLow32Bits) {
    struct Row {
        const char *digits;
        int32_t value;
    };
    const Row rows[] = {
        {"123", 123},
        {"4294967297", 1},
        {"4294967295", -1},
        {"2147483648", INT32_MIN},
        {"18446744073709551621", 5}, // past 64 bits the reading wraps first
        {"", 0},
        {"-5", -5},
        {"-2147483648", INT32_MIN},
        {"-4294967297", -1},
    };
    for (const Row &row : rows) EXPECT_EQ(int_variable_value(row.digits), row.value) << row.digits;
    int32_t longValue = int_variable_value(std::string(5000, '9')); // defined, whatever it is
    (void)longValue;
}

TEST(SymbolTable, DefineVariable) {
    VariableTable table;
    std::set<std::string> used;
    std::ostringstream out;

    EXPECT_FALSE(define_variable("_", "1", used, table, out, 0));
    EXPECT_FALSE(define_variable("2x", "1", used, table, out, 0));
    EXPECT_EQ(out.str(), "Varaible: 2x" + kNameMessageTail);
    EXPECT_TRUE(table.empty());
    EXPECT_TRUE(used.empty());

    out.str("");
    ASSERT_TRUE(define_variable("a", "123", used, table, out, 0));
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(used, std::set<std::string>{"a"});
    const SymbolEntry &entry = table.at("a");
    EXPECT_EQ(entry.typeName, "int");
    EXPECT_EQ(entry.name, "a");
    EXPECT_EQ(entry.valueText, "123");
    EXPECT_EQ(entry.typeCode, kIntType);
    Variable<int> *variable = entry.slotAs<int>(kIntType);
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(variable->getValue(), 123);
    EXPECT_EQ(variable->getType(), "int");
    EXPECT_EQ(variable->getName(), "a");
    for (int code = 1; code < kTypeCount; code++) EXPECT_EQ(entry.slots[size_t(code)], nullptr);

    // A name in use: refused without overwrite; with it only the value text changes.
    EXPECT_FALSE(define_variable("a", "7", used, table, out, 0));
    EXPECT_EQ(table.at("a").valueText, "123");
    EXPECT_TRUE(define_variable("a", "7", used, table, out, 1));
    EXPECT_EQ(table.at("a").valueText, "7");
    EXPECT_EQ(table.at("a").slotAs<int>(kIntType)->getValue(), 123);

    // Too large for 32 bits: the object holds the low bits, the text stays as typed.
    ASSERT_TRUE(define_variable("big", "4294967297", used, table, out, 0));
    EXPECT_EQ(table.at("big").slotAs<int>(kIntType)->getValue(), 1);
    EXPECT_EQ(table.at("big").valueText, "4294967297");

    // In the used set but not in the table: overwrite has nothing to change.
    used.insert("ghost");
    EXPECT_FALSE(define_variable("ghost", "1", used, table, out, 1));
    // In the table but not in the set: the existing entry stays.
    used.erase("big");
    EXPECT_TRUE(define_variable("big", "2", used, table, out, 0));
    EXPECT_EQ(table.at("big").valueText, "4294967297");
}

TEST(SymbolTable, LookUpAndRemove) {
    VariableTable table;
    std::set<std::string> used;
    std::ostringstream out;
    std::string value = "stale";
    EXPECT_FALSE(variable_exists("a", table));
    EXPECT_FALSE(variable_value("a", table, value));
    EXPECT_EQ(value, "");

    ASSERT_TRUE(define_variable("a", "5", used, table, out, 0));
    ASSERT_TRUE(define_variable("b", "6", used, table, out, 0));
    EXPECT_TRUE(variable_exists("a", table));
    EXPECT_TRUE(variable_value("a", table, value));
    EXPECT_EQ(value, "5");

    EXPECT_TRUE(remove_variable("a", used, table));
    EXPECT_FALSE(variable_exists("a", table));
    EXPECT_EQ(used.count("a"), 0u);
    EXPECT_FALSE(remove_variable("a", used, table)); // no longer in the set

    table.erase("b"); // in the set, not in the table: erased from the set, false
    EXPECT_FALSE(remove_variable("b", used, table));
    EXPECT_EQ(used.count("b"), 0u);
}

TEST(SymbolTable, VariableObjects) {
    Variable<int> i;
    Variable<double> d;
    Variable<std::string> s;
    EXPECT_EQ(i.getType(), "int");
    EXPECT_EQ(i.getName(), "default");
    EXPECT_EQ(i.getText(), "");
    EXPECT_EQ(i.getValue(), 0);
    EXPECT_EQ(d.getValue(), 0.0);
    EXPECT_EQ(s.getValue(), "");
    d.setValue(2.5);
    s.setValue("(hello)");
    s.setType("std::string");
    s.setText("hello");
    s.setSecond("other");
    EXPECT_EQ(variable_double_value(d), 2.5);
    EXPECT_EQ(variable_string_value(s), "(hello)");
    EXPECT_EQ(s.getType(), "std::string");
    EXPECT_EQ(s.getText(), "hello");

    SymbolEntry entry;
    entry.slots[kDoubleType] = std::make_unique<Variable<double>>();
    EXPECT_NE(entry.slotAs<double>(kDoubleType), nullptr);
    EXPECT_EQ(entry.slotAs<int>(kDoubleType), nullptr); // another type in that slot
    EXPECT_EQ(entry.slotAs<int>(kIntType), nullptr);    // an empty slot
    EXPECT_EQ(entry.slotAs<int>(kTypeCount), nullptr);  // no such slot
}

class PolyVariables : public ::testing::Test {
  protected:
    void SetUp() override {
        poly_vars.clear();
        poly_varnames.clear();
        poly_internal_names.clear();
    }
    void TearDown() override { SetUp(); }
};

TEST_F(PolyVariables, DeclareOnAnEmptyRegistry) {
    std::ostringstream out;
    EXPECT_EQ(declare_poly_variable("y", out), 1);
    ASSERT_EQ(poly_varnames.size(), 2u);
    EXPECT_EQ(poly_varnames[0].index, 0);
    EXPECT_EQ(poly_varnames[0].name, "x");
    EXPECT_EQ(poly_varnames[0].internalName, "x");
    EXPECT_EQ(poly_varnames[1].index, 1);
    EXPECT_EQ(poly_varnames[1].name, "y");
    EXPECT_EQ(poly_varnames[1].internalName, "x_1");
    EXPECT_EQ(poly_vars, (std::map<std::string, int>{{"y", 1}}));
    // The main letter is put first, so that the one-variable writers keep writing x.
    EXPECT_EQ(poly_internal_names, (std::vector<std::string>{"x", "x_1"}));

    EXPECT_EQ(declare_poly_variable("y", out), 0); // declared already
    EXPECT_EQ(declare_poly_variable("x", out), 1); // the main variable, nothing added
    EXPECT_EQ(declare_poly_variable("_", out), 0);
    EXPECT_EQ(poly_varnames.size(), 2u);
    EXPECT_EQ(out.str(), "");

    EXPECT_EQ(declare_poly_variable("z", out), 1);
    EXPECT_EQ(poly_varnames.back().internalName, "x_2");
    EXPECT_EQ(poly_vars.at("z"), 2);

    EXPECT_EQ(declare_poly_variable("2y", out), 0);
    EXPECT_EQ(out.str(), "Varaible: 2y" + kNameMessageTail);
    EXPECT_EQ(poly_varnames.size(), 3u);
}

} // namespace

namespace {

TEST(SymbolTable, MatrixVariables) {
    Variable<KV_Matrix> fresh;
    EXPECT_EQ(fresh.getValue(), KV_Matrix()); // 1 x 1 holding "0"
    EXPECT_EQ(fresh.getValue().cells, std::vector<std::string>{"0"});

    VariableTable table;
    Variable<KV_Matrix> *matrix = nullptr;
    EXPECT_FALSE(update_matrix_variable("M", table, "[1,2]", matrix)); // empty table

    SymbolEntry entry;
    entry.typeName = "matrix";
    entry.name = "M";
    entry.valueText = "[0]";
    entry.typeCode = kMatrixType;
    entry.slots[kMatrixType] = std::make_unique<Variable<KV_Matrix>>();
    table.emplace("M", std::move(entry));
    std::set<std::string> used;
    std::ostringstream out;
    ASSERT_TRUE(define_variable("n", "3", used, table, out, 0));

    EXPECT_FALSE(update_matrix_variable("absent", table, "[1,2]", matrix));
    // An int variable has no matrix object to hand back: refused, nothing changed.
    EXPECT_FALSE(update_matrix_variable("n", table, "[1,2]", matrix));
    EXPECT_EQ(matrix, nullptr);
    EXPECT_EQ(table.at("n").valueText, "3");

    ASSERT_TRUE(update_matrix_variable("M", table, "[1,2;3,4]", matrix));
    ASSERT_EQ(matrix, table.at("M").slotAs<KV_Matrix>(kMatrixType));
    EXPECT_EQ(table.at("M").valueText, "[1,2;3,4]");
    EXPECT_EQ(table.at("M").text, "[1,2;3,4]");
    const std::vector<std::vector<std::string>> rows = {{"1", "2"}, {"3", "4"}};
    matrix->setValue(KV_Matrix(rows, 2, 2));
    std::ostringstream literal;
    table.at("M").slotAs<KV_Matrix>(kMatrixType)->getValue().printLiteral(literal);
    EXPECT_EQ(literal.str(), "[1,2;3,4]");
}

} // namespace
