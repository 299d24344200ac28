// SPDX-License-Identifier: MIT
// Asks for the first view's tiles while the map library is still on its way:
// the page would otherwise wait for the library before its first tile
// request, a whole round trip more. The map later asks for the same
// addresses and gets them from the browser's cache.
(function () {
  'use strict';
  const data = window.KAVALO_ERAS;
  if (!data || !data.eras || !data.eras.length) return;
  const q = new URLSearchParams(location.hash.replace(/^#/, ''));
  const number = (key, fallback) => {
    const v = parseFloat(q.get(key));
    return Number.isFinite(v) ? v : fallback;
  };
  const lat = Math.max(-85, Math.min(85, number('lat', data.center[1])));
  const lon = Math.max(-180, Math.min(180, number('lon', data.center[0])));
  const z = Math.max(data.minzoom, Math.min(data.maxzoom, Math.round(number('zoom', data.center[2]))));
  const folder = (q.get('era') || '').toLowerCase();
  const era = data.eras.find((e) => e.folder.toLowerCase() === folder) || data.eras[0];
  const n = Math.pow(2, z);
  const x = ((lon + 180) / 360) * n;
  const phi = (lat * Math.PI) / 180;
  const y = ((1 - Math.log(Math.tan(phi) + 1 / Math.cos(phi)) / Math.PI) / 2) * n;
  // The map's own box (laid out already: this script stands after it), in
  // tiles of 256 CSS pixels at the view's zoom.
  const box = document.getElementById('mapA').getBoundingClientRect();
  const scale = Math.pow(2, number('zoom', data.center[2]) - z);
  const halfW = box.width / 2 / (256 * scale);
  const halfH = box.height / 2 / (256 * scale);
  const [west, south, east, north] = data.bounds;
  const tx = (l) => ((l + 180) / 360) * n;
  const ty = (a) => {
    const p = (a * Math.PI) / 180;
    return ((1 - Math.log(Math.tan(p) + 1 / Math.cos(p)) / Math.PI) / 2) * n;
  };
  const x0 = Math.floor(Math.max(x - halfW, tx(west))), x1 = Math.floor(Math.min(x + halfW, tx(east)));
  const y0 = Math.floor(Math.max(y - halfH, ty(north))), y1 = Math.floor(Math.min(y + halfH, ty(south)));
  window.kavaloPrefetched = [];
  for (let ty_ = y0; ty_ <= y1; ty_++)
    for (let tx_ = x0; tx_ <= x1; tx_++) {
      const img = new Image();
      img.src = era.tiles.replace('{z}', z).replace('{x}', tx_).replace('{y}', ty_);
      window.kavaloPrefetched.push(img);
    }
})();
