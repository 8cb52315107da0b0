#include <gtest/gtest.h>

#include <sstream>

#include "BigNumber.h"

namespace {

struct CubicRun {
    int code;
    std::vector<std::string> roots;
    std::string printed;
    int modeAfter;
};

// x^3 + a*x^2 + b*x + c = 0, solved on an engine in the given mode.
CubicRun solveCubic(const char *a, const char *b, const char *c, int mode = 0) {
    BigNumber bn;
    bn.setMode(mode);
    CubicRun run;
    std::ostringstream out;
    run.code = bn.solve_cubic_equation({c, b, a, "1"}, run.roots, out);
    run.printed = out.str();
    run.modeAfter = bn.getMode();
    return run;
}

const char *const kShiftExplanation =
    "We get equation of y: y^3+py+q==0\nwhere\n\n\tp=b-a^2/3,    q=c-ab/3+2a^3/27,\n\n"
    "and a,b,c,d are coefficients of the equation ax^3+bx^2+cx+d==0\n\n"
    "By computation,\n";

} // namespace

TEST(CubicEquation, NoConstantTermAfterTheShift) {
    CubicRun r = solveCubic("0", "-4", "0");
    EXPECT_EQ(r.printed, "Answer:\n\tp = -4\n\tq = 0\n");
    EXPECT_EQ(r.roots, (std::vector<std::string>{"0", "2", "-2", ""}));
    EXPECT_EQ(r.code, 0);

    r = solveCubic("3", "2", "0");
    EXPECT_EQ(r.printed, std::string("Answer:\nLet y=x+3/3\n\n") + kShiftExplanation +
                             "\tp = -1\n\tq = 0\nNow the equation is: \n\n\ty^3-1y == 0\n");
    EXPECT_EQ(r.roots, (std::vector<std::string>{"-1", "0", "-2", ""}));

    r = solveCubic("0", "0", "0"); // P = "-0" counts as negative
    EXPECT_EQ(r.roots, (std::vector<std::string>{"0", "0*i", "-0*i", ""}));

    r = solveCubic("0", "4", "0"); // y^2 = -4
    EXPECT_EQ(r.roots, (std::vector<std::string>{"0", "2*i", "-2*i", ""}));
}

TEST(CubicEquation, RationalSquareRootOfTheDiscriminant) {
    CubicRun r = solveCubic("0", "0", "-1");
    EXPECT_EQ(r.printed, "Answer:\n\tp = 0\n\tq = -1\n"
                         "\n\tDelta = (q/2)^2+(p/3)^3 = 1|4\n"
                         "\n\tsqrt(Delta) = sqrt((q/2)^2+(p/3)^3) = 1|2\n\n"
                         "\tq/2 = -1|2\n\t-q/2 + sqrt(Delta) = 1\n\t-q/2 - sqrt(Delta) = -0\n"
                         "\tu = 1\n\tv = 0\n");
    EXPECT_EQ(r.roots, (std::vector<std::string>{"1", "1w+0w^2-0 = -1|2+1|2*sqrt(3)*i",
                                                 "1w^2+0w-0 = -1|2-1|2*sqrt(3)*i", "-1/2+i*sqrt(3)/2"}));
    EXPECT_EQ(r.code, 1);

    r = solveCubic("0", "-3", "2");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.roots, (std::vector<std::string>{"-2", "-1w-1w^2-0 = 1+0*sqrt(3)*i",
                                                 "-1w^2-1w-0 = 1-0*sqrt(3)*i", "-1/2+i*sqrt(3)/2"}));

    // x^3 - 6x^2 + 12x - 9 = (x - 3)(x^2 - 3x + 3): shifted, with a negative a
    r = solveCubic("-6", "12", "-9");
    EXPECT_EQ(r.printed.rfind("Answer:\n\tLet y=x-6/3\n\nWe get", 0), 0u);
    EXPECT_EQ(r.roots[0], "3");
    EXPECT_EQ(r.roots[1], "1w+0w^2+2 = 3|2+1|2*sqrt(3)*i");
    EXPECT_EQ(r.roots[2], "1w^2+0w+2 = 3|2-1|2*sqrt(3)*i");

    r = solveCubic("0", "0", "-2"); // a cube root that is no rational
    EXPECT_EQ(r.roots[0], "sqrtn(2, 3)");
}

TEST(CubicEquation, IrrationalOrImaginarySquareRootGivesRadicals) {
    CubicRun r = solveCubic("0", "-3", "1");
    EXPECT_EQ(r.code, -1);
    EXPECT_NE(r.printed.find("\tDelta = (q/2)^2+(p/3)^3 = -3|4\n"), std::string::npos);
    EXPECT_NE(r.printed.find("sqrt(Delta) = sqrt((q/2)^2+(p/3)^3) = sqrt(3)|2*i\n"), std::string::npos);
    EXPECT_NE(r.printed.find("\tu = sqrtn(-1|2+sqrt(3)|2*i, 3)\n\tv = sqrtn(-1|2-sqrt(3)|2*i, 3)\n"),
              std::string::npos);
    EXPECT_EQ(r.roots,
              (std::vector<std::string>{"sqrtn(-1|2+sqrt(3)|2*i, 3)+sqrtn(-1|2-sqrt(3)|2*i, 3)-0",
                                        "sqrtn(-1|2+sqrt(3)|2*i, 3)w+sqrtn(-1|2-sqrt(3)|2*i, 3)w^2-0",
                                        "sqrtn(-1|2+sqrt(3)|2*i, 3)w^2+sqrtn(-1|2-sqrt(3)|2*i, 3)w-0",
                                        "-1/2+i*sqrt(3)/2"}));

    r = solveCubic("3", "3", "3"); // (x+1)^3 + 2: y^3 + 2 = 0 shifted by a negative s
    EXPECT_EQ(r.roots[0], "(-sqrtn(2, 3)-1)");
    // x^3 + 6x - 2: Delta = 9 is a square but u = cbrt(4) is no rational, nor is v: the
    // cube-root form, whose texts denote the roots (0.32748, -0.16374 +- 2.46585i)
    r = solveCubic("0", "6", "-2");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.printed.find("\tu = sqrtn(1+3, 3)\n\tv = sqrtn(1-3, 3)\n"), std::string::npos);
    EXPECT_EQ(r.roots, (std::vector<std::string>{"sqrtn(1+3, 3)+sqrtn(1-3, 3)-0", "sqrtn(1+3, 3)w+sqrtn(1-3, 3)w^2-0",
                                                 "sqrtn(1+3, 3)w^2+sqrtn(1-3, 3)w-0", "-1/2+i*sqrt(3)/2"}));
    r = solveCubic("0", "1", "1"); // Delta = 31|108 is positive and no square
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.roots[0].substr(0, 6), "sqrtn(");
}

TEST(CubicEquation, TheCallersModeComesBack) {
    for (int mode : {0, 1, 2, 9}) {
        EXPECT_EQ(solveCubic("0", "-4", "0", mode).modeAfter, mode);
        EXPECT_EQ(solveCubic("0", "-3", "1", mode).modeAfter, mode);
        EXPECT_EQ(solveCubic("0", "0", "-1", mode).modeAfter, mode);
    }
}
