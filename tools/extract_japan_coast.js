#!/usr/bin/env node
// Extracts the coastline polygons of Japan from Natural Earth 1:10m (public
// domain), as packaged in the npm module world-atlas (ISC), and writes them as
// plain lon/lat text for make_sample_data. Run once by hand:
//
//   npm install world-atlas@2.0.2
//   node tools/extract_japan_coast.js node_modules/world-atlas/countries-10m.json > tools/japan_coast.txt
//
// Output: a comment header, then per polygon "polygon <points>" followed by one
// "lon lat" line per point (degrees, 4 decimals, ring closed, outer rings only),
// largest polygon first. TopoJSON arcs are quantized (about 0.0036 deg in lon),
// so four decimals lose nothing.
"use strict";
const fs = require("fs");

const file = process.argv[2];
if (!file) {
    console.error("usage: extract_japan_coast.js countries-10m.json");
    process.exit(2);
}
const topo = JSON.parse(fs.readFileSync(file, "utf8"));
const [sx, sy] = topo.transform.scale;
const [tx, ty] = topo.transform.translate;

// Arcs are delta-encoded integer positions; decode them once.
const arcs = topo.arcs.map((arc) => {
    let x = 0, y = 0;
    return arc.map(([dx, dy]) => {
        x += dx;
        y += dy;
        return [x * sx + tx, y * sy + ty];
    });
});

function ring(arcIndices) {
    const pts = [];
    for (const a of arcIndices) {
        const arc = a >= 0 ? arcs[a] : arcs[~a].slice().reverse();
        // consecutive arcs share their end points
        pts.push(...(pts.length ? arc.slice(1) : arc));
    }
    return pts;
}

// Shoelace area in square degrees, scaled by cos(lat) so that islands in the
// north and the south compare fairly.
function area(pts) {
    let s = 0;
    for (let i = 0; i + 1 < pts.length; i++) s += pts[i][0] * pts[i + 1][1] - pts[i + 1][0] * pts[i][1];
    return Math.abs(s / 2) * Math.cos((pts[0][1] * Math.PI) / 180);
}

const japan = topo.objects.countries.geometries.find((g) => g.id === "392");
const polys = (japan.type === "Polygon" ? [japan.arcs] : japan.arcs).map((p) => ring(p[0]));
polys.sort((a, b) => area(b) - area(a));

const out = [];
out.push("# Japan, Natural Earth 1:10m admin-0 countries (public domain), from world-atlas 2.0.2 countries-10m.json (ISC)");
out.push("# extracted by tools/extract_japan_coast.js; outer rings, closed, largest first; lon lat in degrees");
for (const p of polys) {
    const pts = p.map(([x, y]) => `${x.toFixed(4)} ${y.toFixed(4)}`);
    // drop repeats that the rounding to four decimals created
    const uniq = pts.filter((s, i) => i === 0 || s !== pts[i - 1]);
    if (uniq.length < 4) continue;  // rounding left no area: not an island at this scale
    out.push(`polygon ${uniq.length}`);
    out.push(...uniq);
}
process.stdout.write(out.join("\n") + "\n");
