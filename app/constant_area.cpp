#include "app/constant_area.h"

namespace toolbox {

const ConstantArea kConstants = {
    20000, 12, 80, 30, 10, 60, 150, 40, 375, 5000, 6000, 90, 10000, 480, 300,
    0.08, 999, 100000, 5, 8, 500, 160,
    "",
    "http://bbs.quarlex.example/zt/dtq/keju.html",
    "http://www.quarlex.example/topic-kaifu.html",
};

}  // namespace toolbox
