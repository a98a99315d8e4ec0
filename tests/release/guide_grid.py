#!/usr/bin/env python3
# Writes the made-up seabed of the guide's own-data example as an ESRI ASCII
# grid (elevations in metres, negative below the sea), as QGIS exports one:
# a coast with a bay in the west, a shoal and a submarine valley offshore,
# 0.002° cells over 0.30° × 0.18° off 鹿島灘. The same every time.
#
#   tests/release/guide_grid.py <grid.asc>
import math
import sys

west, south, cell, columns, rows = 140.60, 35.80, 0.002, 151, 91
km_per_lon, km_per_lat = 90.2, 111.0


def elevation(lon, lat):
    x, y = (lon - west) * km_per_lon, (lat - south) * km_per_lat  # km east and north
    coast = 5.0 - 3.5 * math.exp(-(((y - 12.0) / 2.2) ** 2)) + 0.8 * math.sin(y / 3.0)
    offshore = x - coast
    if offshore <= 0:
        return -8.0 * offshore  # land rises 8 m per km
    depth = 45.0 * (1.0 - math.exp(-offshore / 6.0)) + 0.9 * offshore
    depth -= 14.0 * math.exp(-((x - 17.0) ** 2 + (y - 5.0) ** 2) / 6.0) * min(1.0, offshore / 4.0)  # shoal
    depth += 22.0 * math.exp(-(((y - 16.0) / 1.4) ** 2)) / (1.0 + math.exp(-(x - 12.0)))  # valley
    return -depth


with open(sys.argv[1], "w", newline="\r\n") as out:
    out.write(f"ncols {columns}\nnrows {rows}\nxllcorner {west - cell / 2:.3f}\nyllcorner {south - cell / 2:.3f}\n"
              f"cellsize {cell}\nNODATA_value -9999\n")
    for r in range(rows):
        lat = south + (rows - 1 - r) * cell
        out.write(" ".join(f"{elevation(west + c * cell, lat):.2f}" for c in range(columns)) + "\n")
