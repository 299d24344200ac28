// SPDX-License-Identifier: MIT
// The map page of a region published by Kavalo: its eras as web tile layers,
// compared side by side, by a swipe, through a lens or blended, with the view
// always named in the address (#era=…&lat=…&lon=…&zoom=…).
(function () {
  'use strict';
  const data = window.KAVALO_ERAS;
  const $ = (id) => document.getElementById(id);
  if (!data || !data.eras || data.eras.length === 0) {
    document.body.textContent = '地図のデータ (eras.js) が読めません。';
    return;
  }
  const eras = data.eras;
  const LENS_RADIUS = 120;  // CSS pixels
  const MODES = ['side', 'swipe', 'lens', 'blend'];
  const state = { era: 0, compare: -1, mode: 'side', split: 0.5, opacity: 0.5 };
  let lensAt = null;  // pixel of the pointer over the map, for the lens

  // ---- the maps -------------------------------------------------------
  const extent = ol.proj.transformExtent(data.bounds, 'EPSG:4326', 'EPSG:3857');
  const source = (i) =>
    new ol.source.XYZ({
      url: eras[i].tiles,
      minZoom: data.minzoom,
      maxZoom: data.maxzoom,
      transition: 0,
      attributions: eras[i].credits.join(' / '),
    });
  const sources = eras.map((_, i) => source(i));
  const tileLayer = () => new ol.layer.Tile({ extent, source: sources[0] });
  const baseA = tileLayer();
  const topA = tileLayer();
  const baseB = tileLayer();
  topA.setVisible(false);
  const view = new ol.View({
    center: ol.proj.fromLonLat([data.center[0], data.center[1]]),
    zoom: data.center[2],
    minZoom: Math.max(0, data.minzoom - 1),
    maxZoom: data.maxzoom + 3,
  });
  const controls = () => ol.control.defaults.defaults({ attribution: false, rotate: false }).extend([
    new ol.control.ScaleLine({ units: 'metric' }),
  ]);
  // The arrows pan the map wherever the focus is; Shift with them steps the
  // eras (below), as in the program's window.
  const mapA = new ol.Map({ target: 'mapA', layers: [baseA, topA], view, controls: controls(),
                            keyboardEventTarget: document });
  const mapB = new ol.Map({ target: 'mapB', layers: [baseB], view, controls: controls() });

  // ---- comparison by clipping the compared era ------------------------
  const narrow = window.matchMedia('(max-width: 700px)');
  const clipTop = (e) => {
    const ctx = e.context;
    const size = mapA.getSize();
    ctx.save();
    ctx.beginPath();
    const px = (x, y) => ol.render.getRenderPixel(e, [x, y]);
    if (state.mode === 'swipe') {
      let corners;
      if (narrow.matches) {
        const y = size[1] * state.split;
        corners = [px(0, y), px(size[0], y), px(size[0], size[1]), px(0, size[1])];
      } else {
        const x = size[0] * state.split;
        corners = [px(x, 0), px(size[0], 0), px(size[0], size[1]), px(x, size[1])];
      }
      ctx.moveTo(corners[0][0], corners[0][1]);
      for (const c of corners.slice(1)) ctx.lineTo(c[0], c[1]);
      ctx.closePath();
    } else if (state.mode === 'lens') {
      if (lensAt) {
        const c = px(lensAt[0], lensAt[1]);
        const edge = px(lensAt[0] + LENS_RADIUS, lensAt[1]);
        ctx.arc(c[0], c[1], Math.hypot(edge[0] - c[0], edge[1] - c[1]), 0, 2 * Math.PI);
      }
    } else {
      const all = [px(0, 0), px(size[0], size[1])];
      ctx.rect(all[0][0], all[0][1], all[1][0] - all[0][0], all[1][1] - all[0][1]);
    }
    ctx.clip();
  };
  topA.on('prerender', clipTop);
  topA.on('postrender', (e) => e.context.restore());

  // ---- the cursor shown at the same place in both maps ---------------
  const twin = (map) => {
    const element = document.createElement('div');
    element.className = 'twin-cursor';
    const overlay = new ol.Overlay({ element, stopEvent: false });
    map.addOverlay(overlay);
    return overlay;
  };
  const cursorA = twin(mapA);
  const cursorB = twin(mapB);

  const pad = (n) => String(n).padStart(2, '0');
  const dms = (v, pos, neg) => {
    const sign = v < 0 ? neg : pos;
    v = Math.abs(v);
    const d = Math.floor(v);
    const m = Math.floor((v - d) * 60);
    const s = ((v - d) * 60 - m) * 60;
    return `${sign}${d}°${pad(m)}′${s.toFixed(1).padStart(4, '0')}″`;
  };
  const readout = (coordinate) => {
    if (!coordinate) {
      $('readout').textContent = '';
      return;
    }
    const [lon, lat] = ol.proj.toLonLat(coordinate);
    $('readout').textContent =
      `${dms(lat, '北緯', '南緯')} ${dms(lon, '東経', '西経')} (${lat.toFixed(6)}, ${lon.toFixed(6)})`;
  };
  const onMove = (here, other, mine, theirs) => (e) => {
    readout(e.coordinate);
    mine.setPosition(undefined);
    theirs.setPosition(state.compare >= 0 && state.mode === 'side' ? e.coordinate : undefined);
    if (here === mapA && state.mode === 'lens') {
      lensAt = e.pixel;
      mapA.render();
    }
  };
  mapA.on('pointermove', onMove(mapA, mapB, cursorA, cursorB));
  mapB.on('pointermove', onMove(mapB, mapA, cursorB, cursorA));
  for (const [id, overlay] of [['mapA', cursorB], ['mapB', cursorA]])
    $(id).addEventListener('pointerleave', () => {
      overlay.setPosition(undefined);
      readout(null);
      if (id === 'mapA' && state.mode === 'lens') {
        lensAt = null;
        mapA.render();
      }
    });

  // ---- the swipe's divider, dragged ------------------------------------
  const divider = $('divider');
  let dragging = false;
  divider.addEventListener('pointerdown', (e) => {
    dragging = true;
    divider.setPointerCapture(e.pointerId);
  });
  divider.addEventListener('pointermove', (e) => {
    if (!dragging) return;
    const box = $('mapA').getBoundingClientRect();
    state.split = narrow.matches ? (e.clientY - box.top) / box.height : (e.clientX - box.left) / box.width;
    state.split = Math.min(1, Math.max(0, state.split));
    apply();
  });
  divider.addEventListener('pointerup', () => (dragging = false));

  // ---- the address names the view --------------------------------------
  const eraByFolder = (folder) => {
    if (!folder) return -1;
    const f = folder.toLowerCase();
    return eras.findIndex((e) => e.folder.toLowerCase() === f);
  };
  const fragment = () => {
    const [lon, lat] = ol.proj.toLonLat(view.getCenter());
    const q = new URLSearchParams();
    q.set('era', eras[state.era].folder);
    q.set('lat', lat.toFixed(7));
    q.set('lon', lon.toFixed(7));
    q.set('zoom', view.getZoom().toFixed(2));
    if (state.compare >= 0) {
      q.set('compare', eras[state.compare].folder);
      q.set('mode', state.mode);
      if (state.mode === 'swipe') q.set('split', state.split.toFixed(3));
    }
    return q.toString();
  };
  // The program's own link to the same view: its zoom is the window's
  // percentage, which shows the same longitude per pixel as web zoom
  // zoom100 does at 100 %.
  const kavaloLink = () => {
    const [lon, lat] = ol.proj.toLonLat(view.getCenter());
    const percent = Math.min(400, Math.max(50, Math.round(100 * Math.pow(2, view.getZoom() - data.zoom100))));
    const q = [
      'dataset=' + encodeURIComponent(data.dataset),
      'era=' + encodeURIComponent(eras[state.era].folder),
      'lat=' + lat.toFixed(7),
      'lon=' + lon.toFixed(7),
      'zoom=' + percent,
    ];
    return 'kavalo://view?' + q.join('&');
  };
  let lastHash = '';
  const writeAddress = () => {
    const hash = '#' + fragment();
    if (hash !== location.hash) {
      lastHash = hash;
      history.replaceState(null, '', hash);
    }
    $('openInKavalo').href = kavaloLink();
  };
  const readAddress = () => {
    const q = new URLSearchParams(location.hash.replace(/^#/, ''));
    const era = eraByFolder(q.get('era'));
    if (era >= 0) state.era = era;
    state.compare = eraByFolder(q.get('compare'));
    if (MODES.includes(q.get('mode'))) state.mode = q.get('mode');
    const split = parseFloat(q.get('split'));
    if (split >= 0 && split <= 1) state.split = split;
    const lat = parseFloat(q.get('lat'));
    const lon = parseFloat(q.get('lon'));
    const zoom = parseFloat(q.get('zoom'));
    if (Number.isFinite(lat) && Number.isFinite(lon) && Math.abs(lat) <= 85 && Math.abs(lon) <= 180)
      view.setCenter(ol.proj.fromLonLat([lon, lat]));
    if (Number.isFinite(zoom)) view.setZoom(zoom);
  };
  window.addEventListener('hashchange', () => {
    if (location.hash === lastHash) return;
    readAddress();
    apply();
  });
  view.on('change', () => {
    clearTimeout(view.addressTimer);
    view.addressTimer = setTimeout(writeAddress, 150);
  });

  // ---- the controls ------------------------------------------------------
  const eraSelect = $('era');
  const compareSelect = $('compare');
  eras.forEach((e, i) => {
    eraSelect.add(new Option(e.label, String(i)));
    compareSelect.add(new Option(e.label, String(i)));
  });
  $('eraSlider').max = String(eras.length - 1);
  $('title').textContent = data.title || data.dataset;
  document.title = (data.title || data.dataset) + ' - Kavalo';

  function apply() {
    const comparing = state.compare >= 0;
    baseA.setSource(sources[state.era]);
    if (comparing) {
      topA.setSource(sources[state.compare]);
      baseB.setSource(sources[state.compare]);
    }
    const side = comparing && state.mode === 'side';
    topA.setVisible(comparing && !side);
    topA.setOpacity(state.mode === 'blend' ? state.opacity : 1);
    const mapBBox = $('mapB');
    if (mapBBox.hidden === side) {
      mapBBox.hidden = !side;
      mapA.updateSize();
      mapB.updateSize();
    }
    $('maps').classList.toggle('narrow', narrow.matches);
    const swipe = comparing && state.mode === 'swipe';
    divider.hidden = !swipe;
    divider.className = narrow.matches ? 'horizontal' : 'vertical';
    if (narrow.matches) {
      divider.style.top = state.split * 100 + '%';
      divider.style.left = '';
    } else {
      divider.style.left = state.split * 100 + '%';
      divider.style.top = '';
    }
    eraSelect.value = String(state.era);
    $('eraSlider').value = String(state.era);
    compareSelect.value = comparing ? String(state.compare) : '';
    $('mode').value = state.mode;
    $('mode').hidden = !comparing;
    $('opacity').hidden = !(comparing && state.mode === 'blend');
    $('opacity').value = String(Math.round(state.opacity * 100));
    const credits = [eras[state.era].credits.join(' / ')];
    if (comparing && state.compare !== state.era) credits.push(eras[state.compare].credits.join(' / '));
    $('credits').textContent = credits.filter((c) => c).join(' ・ ');
    mapA.render();
    writeAddress();
  }

  const stepEra = (direction) => {
    // Wrapping at both ends, as the window's Shift with the arrows and the wheel.
    state.era = (state.era + direction + eras.length) % eras.length;
    apply();
  };
  eraSelect.addEventListener('change', () => {
    state.era = Number(eraSelect.value);
    apply();
  });
  $('eraSlider').addEventListener('input', () => {
    state.era = Number($('eraSlider').value);
    apply();
  });
  compareSelect.addEventListener('change', () => {
    state.compare = compareSelect.value === '' ? -1 : Number(compareSelect.value);
    apply();
  });
  $('mode').addEventListener('change', () => {
    state.mode = $('mode').value;
    apply();
  });
  $('opacity').addEventListener('input', () => {
    state.opacity = Number($('opacity').value) / 100;
    apply();
  });
  document.addEventListener(
    'keydown',
    (e) => {
      if (!e.shiftKey || e.altKey || e.ctrlKey || e.metaKey) return;
      if (e.key !== 'ArrowLeft' && e.key !== 'ArrowRight') return;
      e.preventDefault();
      e.stopPropagation();
      stepEra(e.key === 'ArrowRight' ? 1 : -1);
    },
    true
  );
  narrow.addEventListener('change', apply);

  // For scripts and tests: the page is settled when no tile is loading.
  let loading = 0;
  let tileErrors = 0;
  for (const s of sources) {
    s.on('tileloadstart', () => loading++);
    s.on('tileloadend', () => loading--);
    s.on('tileloaderror', () => {
      loading--;
      tileErrors++;
    });
  }
  window.kavaloViewer = {
    mapA,
    mapB,
    state,
    apply,
    tileErrors: () => tileErrors,
    settled: () =>
      new Promise((resolve) => {
        const check = () => (loading === 0 ? resolve() : setTimeout(check, 50));
        mapA.once('rendercomplete', check);
        mapA.render();
      }),
  };

  readAddress();
  apply();
})();
