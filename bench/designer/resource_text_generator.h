#pragma once

#include <QString>

namespace tarvo::bench {

// A resource text of `blocks` object blocks (identifiers 2..blocks+1, about
// 200 characters each) after one form (identifier 1) that lists `onPage` of
// them, spread evenly over the whole text.
QString generateResourceText(int blocks, int onPage);

} // namespace tarvo::bench
