#pragma once
#include <string>

// A surveyed point: label, easting, northing and height in metres.
struct objPto {
    std::string N;
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;
};
