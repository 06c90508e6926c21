// Runs inside a generated page in headless Chromium: the figure must be drawn, and a drag of a
// free point made of mouse events must move the objects built on it. The verdict is written
// into the page title, which the test script reads from the dumped page.
(function () {
  'use strict';
  function verdict(text) {
    document.title = text;
    var p = document.createElement('pre');
    p.id = 'kv-verdict';
    p.textContent = text;
    document.body.appendChild(p);
  }

  function pixels(canvas) {
    return canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  }

  function send(canvas, type, x, y) {
    var r = canvas.getBoundingClientRect();
    canvas.dispatchEvent(new PointerEvent(type, {
      bubbles: true, button: 0, buttons: type === 'pointerup' ? 0 : 1, pointerId: 1,
      clientX: r.left + 1 + x, clientY: r.top + 1 + y
    }));
  }

  // A damaged figure: the page says why in French, without a script error.
  function checkDamaged(holder) {
    var box = holder.querySelector('.kv-message');
    var said = box ? box.textContent : '';
    if (holder.dataset.state !== 'error' || !/^Figure illisible : ./.test(said))
      return verdict('KV-FAIL damaged figure: state ' + holder.dataset.state + ', said "' + said + '"');
    verdict('KV-OK damaged figure: ' + said);
  }

  function check() {
    var holder = document.querySelector('.korvendal-figure');
    if (/damaged/.test(location.hash)) return checkDamaged(holder);
    if (!holder || holder.dataset.state !== 'ready')
      return verdict('KV-FAIL not ready: ' + (holder ? holder.textContent : 'no figure'));
    var figure = holder.kvFigure, canvas = figure.canvas, e = figure.engine;
    var before = pixels(canvas), bg = [before[0], before[1], before[2]];
    var inked = 0;
    for (var i = 0; i < before.length; i += 4)
      if (before[i] !== bg[0] || before[i + 1] !== bg[1] || before[i + 2] !== bg[2]) ++inked;
    if (inked < 50) return verdict('KV-FAIL blank canvas: ' + inked + ' pixels drawn');
    // A free or linked point under the mouse, found as the reader would find it, or the one
    // the page's address names (#drag=x,y) for measures.
    var named = /drag=(\d+),(\d+)/.exec(location.hash);
    var at = named ? [Number(named[1]), Number(named[2])] : null;
    for (var y = 2; y < canvas.height && !at; y += 2)
      for (var x = 2; x < canvas.width && !at; x += 2)
        if (e._kv_point_at(x, y)) at = [x, y];
    if (!at) return verdict('KV-FAIL no point to drag');
    // Towards the middle, so that the point stays in the drawing area.
    var dx = at[0] < canvas.width / 2 ? 40 : -40, dy = at[1] < canvas.height / 2 ? 30 : -30;
    var to = [at[0] + dx, at[1] + dy];
    send(canvas, 'pointerdown', at[0], at[1]);
    var steps = 20;
    for (var s = 1; s <= steps; ++s)
      send(canvas, 'pointermove', at[0] + dx * s / steps, at[1] + dy * s / steps);
    send(canvas, 'pointerup', to[0], to[1]);
    var after = pixels(canvas), movedFar = 0;
    var near = function (px, py, p) { return Math.abs(px - p[0]) < 14 && Math.abs(py - p[1]) < 14; };
    for (var q = 0; q < after.length; q += 4) {
      if (after[q] === before[q] && after[q + 1] === before[q + 1] && after[q + 2] === before[q + 2])
        continue;
      var qx = (q / 4) % canvas.width, qy = Math.floor(q / 4 / canvas.width);
      if (!near(qx, qy, at) && !near(qx, qy, to)) ++movedFar;
    }
    if (e._kv_point_at(at[0], at[1])) return verdict('KV-FAIL the point did not leave its place');
    if (movedFar < 20) return verdict('KV-FAIL nothing built on the point moved: ' + movedFar);
    verdict('KV-OK drawn=' + inked + ' moved=' + movedFar);
  }

  window.addEventListener('load', function () {
    var wait = setInterval(function () {
      var holder = document.querySelector('.korvendal-figure');
      if (holder && holder.dataset.state !== 'loading' && holder.dataset.state) {
        clearInterval(wait);
        try { check(); } catch (err) { verdict('KV-FAIL ' + err); }
      }
    }, 20);
  });
})();
