// The letter art of the logo and of the home banner: the product word, drawn in large
// outlined letters and in the standard FIGlet letters. Plain data; the frames around it are
// written by the text operations.
#include "info/info_data.h"

// 21 rows of 116 characters between the logo's side bars; each letter is outlined with its
// own character and filled with ":".
const std::array<const wchar_t *, kLogoRows> kLogoArt = {
    L"                                                                                                                    ",
    L"KKKKKKK         KKKKK                                              lllllll                                          ",
    L"K:::::K        KK:::K                                              l:::::l                                          ",
    L"K:::::K      KKK:::KK                                              l:::::l                                          ",
    L"K:::::K     KK:::KKK                                               l:::::l                                          ",
    L"K:::::K    KK:::KK                                                 l:::::l                                          ",
    L"K:::::K   KK:::KK                                                  l:::::l                                          ",
    L"K:::::K  KK:::KK                                                   l:::::l                                          ",
    L"K:::::KKKK:::KK              aaaaa  aaaaaa  vvvvv           vvvvv  l:::::l       oooooooo                           ",
    L"K:::::::::::KK            aaaa:::aaaa::::a  v:::vv         vv:::v  l:::::l     ooo::::::ooo                         ",
    L"K:::::::::::K            aa::aaaaa:::::::a  vv:::vv       vv:::vv  l:::::l    oo::oooooo::oo                        ",
    L"K:::::::::::KKK         aa:aaa   aaa:::::a   vv:::v       v:::vv   l:::::l   oo:ooo    ooo:oo                       ",
    L"K:::::::KKK:::KK       aa:aa       aa::::a    v:::vv     vv:::v    l:::::l  oo::o        o::oo                      ",
    L"K:::::KKK KK:::KK      a::a         a::::a    vv:::vv   vv:::vv    l:::::l  o:::o        o:::o                      ",
    L"K:::::K    KK:::KK     a::a         a::::a     vv:::vv vv:::vv     l:::::l  o:::o        o:::o                      ",
    L"K:::::K     KK:::KK    aa:aa       aa::::a      vv:::v v:::vv      l:::::l  oo::o        o::oo                      ",
    L"K:::::K      KK:::KKK   aa:aaa   aaa:::::a       v:::vvv:::v       l:::::l   oo:ooo    ooo:oo                       ",
    L"K:::::K       KKK:::K    aa::aaaaa:::::::a       vv:::::::vv       l:::::l    oo::oooooo::oo                        ",
    L"K:::::K         KK::K     aaaa:::aaaa::::a        vv:::::vv        l:::::l     ooo::::::ooo                         ",
    L"KKKKKKK          KKKK        aaaaa  aaaaaa         vvvvvvv         lllllll       oooooooo                           ",
    L"                                                                                                                    ",
};

// 7 rows of 39 characters between the banner's side bars.
const std::array<const wchar_t *, kBannerRows> kBannerArt = {
    L"                                       ",
    L"    _  __              _               ",
    L"   | |/ / __ _ __   __| |  ___         ",
    L"   | ' / / _` |\\ \\ / /| | / _ \\        ",
    L"   | . \\| (_| | \\ V / | || (_) |       ",
    L"   |_|\\_\\\\__,_|  \\_/  |_| \\___/        ",
    L"                                       ",
};
