#pragma once

#include <QString>

#include <string_view>

namespace olv {

// A "|"-separated filter of description and pattern pairs ("成绩库文件(*.kcj)|*.cj;*.kcj|所有
// 文件(*.*)|*.*|") as a Qt file dialog filter ("成绩库文件(*.kcj) (*.cj *.kcj);;所有文件(*.*) (*)").
QString qtFileFilter(std::string_view filter);

} // namespace olv
