// The page side of the figure viewer: a canvas surface for the engine's drawing primitives and
// the front end that loads each figure of the page, draws it at ten logical units to a pixel,
// lets the reader drag its free and linked points and move its variables with sliders.
// Every <div class="korvendal-figure"> gets its own engine (the model keeps process-wide
// state); the figure comes from data-qvf (base64) or data-src (a file beside the page).
(function () {
  'use strict';

  function css(c) {
    return 'rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')';
  }

  // Dashes of the platform's pen styles, in pixels.
  var DASHES = [[], [18, 6], [3, 3], [9, 6, 3, 6], [9, 3, 3, 3, 3, 3], []];
  // Hatch brushes as 8 x 8 monochrome tiles (one byte a row, bit 7 leftmost).
  var HATCHES = [
    [0xff, 0, 0, 0, 0, 0, 0, 0],
    [0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80],
    [0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01],
    [0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80],
    [0xff, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80],
    [0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81]
  ];
  var GREEK_UPPER = 'ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ';
  var GREEK_LOWER = 'αβχδεφγηιϕκλμνοπθρστυϖωξψζ';

  function Surface(ctx) {
    this.ctx = ctx;
    this.penStyle = 0;
    this.penWidth = 1;
    this.penColour = 0;
    this.brushKind = 0;
    this.brushColour = 0;
    this.tile = null;
    this.fill = 'transparent';
    this.fontCss = '16px serif';
    this.fontPx = 16;
    this.underline = false;
    this.symbol = false;
    this.clipped = false;
  }

  // The context's state follows the selected pen, brush and font (after a clip is lifted too).
  Surface.prototype.apply = function () {
    this.applyPen();
    this.ctx.fillStyle = this.fill;
    this.ctx.font = this.fontCss;
  };

  Surface.prototype.applyPen = function () {
    var ctx = this.ctx;
    var w = Math.max(1, this.penWidth / 10);
    ctx.lineWidth = w;
    ctx.strokeStyle = css(this.penColour);
    // Wide pens draw solid: the dotted styles exist for thin pens only.
    ctx.setLineDash(w > 1.5 ? [] : DASHES[this.penStyle] || []);
    ctx.lineCap = w >= 2 ? 'round' : 'butt';
    ctx.lineJoin = w >= 2 ? 'round' : 'miter';
  };

  Surface.prototype.pattern = function () {
    var tile = document.createElement('canvas');
    tile.width = tile.height = 8;
    var t = tile.getContext('2d');
    t.fillStyle = css(this.brushColour);
    for (var row = 0; row < 8; ++row)
      for (var col = 0; col < 8; ++col)
        if (this.tile[row] & (0x80 >> col)) t.fillRect(col, row, 1, 1);
    return this.ctx.createPattern(tile, 'repeat');
  };

  Surface.prototype.pen = function (style, width, colour) {
    this.penStyle = style;
    this.penWidth = width;
    this.penColour = colour;
    this.applyPen();
  };

  Surface.prototype.brush = function (kind, hatch, colour, bits) {
    this.brushKind = kind;
    this.brushColour = colour;
    this.tile = kind === 2 ? HATCHES[hatch] || HATCHES[0] : kind === 3 ? Array.from(bits) : null;
    this.fill = kind === 1 ? css(colour) : this.tile ? this.pattern() : 'transparent';
    this.ctx.fillStyle = this.fill;
  };

  Surface.prototype.font = function (face, size, weight, italic, underline, symbol) {
    // Point sizes were designed for 96 dots per inch.
    this.fontPx = Math.max(1, Math.round(size * 96 / 72));
    var family = /Courier/.test(face) ? 'monospace' : /Times/.test(face) ? 'serif' : 'sans-serif';
    this.fontCss = (italic ? 'italic ' : '') + (weight || 400) + ' ' + this.fontPx + 'px "' +
        face + '", ' + family;
    this.underline = !!underline;
    this.symbol = !!symbol;
    this.ctx.font = this.fontCss;
  };

  Surface.prototype.paint = function (fill) {
    var ctx = this.ctx;
    if (fill && this.brushKind !== 0) ctx.fill('evenodd');
    if (this.penStyle !== 5) ctx.stroke();
  };

  // Thin strokes on pixel centres stay one pixel wide.
  Surface.prototype.at = function (v) {
    return v / 10 + (this.penWidth <= 15 ? 0.5 : 0);
  };

  Surface.prototype.shape = function (kind, l, t, r, b, xs, ys, xe, ye) {
    var ctx = this.ctx;
    ctx.beginPath();
    if (kind === 2) {
      ctx.moveTo(this.at(l), this.at(t));
      ctx.lineTo(this.at(r), this.at(b));
      this.paint(false);
      return;
    }
    var x0 = Math.min(l, r) / 10, y0 = Math.min(t, b) / 10;
    var w = Math.abs(r - l) / 10, h = Math.abs(b - t) / 10;
    if (kind === 0) {
      ctx.rect(x0 + 0.5, y0 + 0.5, Math.max(0, w - 1), Math.max(0, h - 1));
      this.paint(true);
      return;
    }
    var cx = x0 + w / 2, cy = y0 + h / 2, rx = Math.max(0, w / 2 - 0.5), ry = Math.max(0, h / 2 - 0.5);
    if (kind === 1) {
      ctx.ellipse(cx, cy, rx, ry, 0, 0, 2 * Math.PI);
      this.paint(true);
      return;
    }
    // Counter-clockwise on screen from the ray towards (xs, ys) to the ray towards (xe, ye).
    var param = function (x, y) {
      return Math.atan2((y / 10 - cy) / (ry || 1), (x / 10 - cx) / (rx || 1));
    };
    var a0 = param(xs, ys), a1 = param(xe, ye);
    if (a1 >= a0) a1 -= 2 * Math.PI;
    if (kind === 4) ctx.moveTo(cx, cy);
    ctx.ellipse(cx, cy, rx, ry, 0, a0, a1, true);
    if (kind === 4) ctx.closePath();
    this.paint(kind === 4);
  };

  Surface.prototype.points = function (closed, xy) {
    var ctx = this.ctx;
    ctx.beginPath();
    ctx.moveTo(this.at(xy[0]), this.at(xy[1]));
    for (var i = 2; i < xy.length; i += 2) ctx.lineTo(this.at(xy[i]), this.at(xy[i + 1]));
    if (closed) ctx.closePath();
    this.paint(!!closed);
  };

  Surface.prototype.fillRect = function (l, t, r, b, colour) {
    var ctx = this.ctx;
    ctx.save();
    ctx.fillStyle = css(colour);
    ctx.fillRect(Math.min(l, r) / 10, Math.min(t, b) / 10, Math.abs(r - l) / 10,
                 Math.abs(b - t) / 10);
    ctx.restore();
  };

  // Fills with the brush from (x, y) up to the boundary colour. The canvas smooths its edges,
  // so a pixel belongs to the boundary when it is nearer the boundary colour than the seed's.
  Surface.prototype.flood = function (x, y, boundary) {
    if (this.brushKind === 0) return;
    var ctx = this.ctx, w = ctx.canvas.width, h = ctx.canvas.height;
    var sx = Math.floor(x / 10), sy = Math.floor(y / 10);
    if (sx < 0 || sy < 0 || sx >= w || sy >= h) return;
    var image = ctx.getImageData(0, 0, w, h), d = image.data;
    var br = boundary & 255, bg = (boundary >> 8) & 255, bb = (boundary >> 16) & 255;
    var s = 4 * (sy * w + sx), sr = d[s], sg = d[s + 1], sb = d[s + 2];
    var dist = function (i, r, g, b) {
      return Math.abs(d[i] - r) + Math.abs(d[i + 1] - g) + Math.abs(d[i + 2] - b);
    };
    var isBoundary = function (p) {
      var i = 4 * p;
      return dist(i, br, bg, bb) < dist(i, sr, sg, sb) || dist(i, br, bg, bb) === 0;
    };
    if (isBoundary(sy * w + sx)) return;
    var mask = new Uint8Array(w * h), stack = [sy * w + sx];
    while (stack.length) {
      var p = stack.pop();
      if (mask[p] || isBoundary(p)) continue;
      mask[p] = 1;
      var px = p % w;
      if (px > 0) stack.push(p - 1);
      if (px + 1 < w) stack.push(p + 1);
      if (p >= w) stack.push(p - w);
      if (p + w < w * h) stack.push(p + w);
    }
    var c = this.brushColour, tile = this.tile;
    for (var q = 0; q < mask.length; ++q) {
      if (!mask[q]) continue;
      var qx = q % w, qy = (q - qx) / w;
      if (tile && !(tile[qy & 7] & (0x80 >> (qx & 7)))) continue;
      d[4 * q] = c & 255;
      d[4 * q + 1] = (c >> 8) & 255;
      d[4 * q + 2] = (c >> 16) & 255;
      d[4 * q + 3] = 255;
    }
    ctx.putImageData(image, 0, 0);
  };

  Surface.prototype.greek = function (s) {
    if (!this.symbol) return s;
    return s.replace(/[A-Za-z]/g, function (ch) {
      var code = ch.charCodeAt(0);
      return code < 97 ? GREEK_UPPER[code - 65] : GREEK_LOWER[code - 97];
    });
  };

  Surface.prototype.text = function (x, y, s, colour, opaque, bk) {
    var ctx = this.ctx;
    s = this.greek(s);
    var px = x / 10, py = y / 10, w = ctx.measureText(s).width, h = this.lineHeight();
    ctx.save();
    if (opaque) {
      ctx.fillStyle = css(bk);
      ctx.fillRect(px, py, w, h);
    }
    ctx.fillStyle = css(colour);
    ctx.textBaseline = 'top';
    ctx.fillText(s, px, py);
    if (this.underline) ctx.fillRect(px, py + this.fontPx, w, 1);
    ctx.restore();
  };

  Surface.prototype.lineHeight = function () {
    return Math.round(this.fontPx * 1.15);
  };

  Surface.prototype.textWidth = function (s) {
    return Math.round(this.ctx.measureText(this.greek(s)).width * 10);
  };

  Surface.prototype.textHeight = function () {
    return this.lineHeight() * 10;
  };

  Surface.prototype.clip = function (on, l, t, r, b) {
    var ctx = this.ctx;
    if (this.clipped) ctx.restore();
    this.clipped = !!on;
    if (on) {
      ctx.save();
      ctx.beginPath();
      ctx.rect(Math.min(l, r) / 10, Math.min(t, b) / 10, Math.abs(r - l) / 10,
               Math.abs(b - t) / 10);
      ctx.clip();
    }
    this.apply();
  };

  // ------------------------------------------------------------------------------------------

  function bytesOfBase64(text) {
    var raw = atob(text.replace(/\s+/g, ''));
    var bytes = new Uint8Array(raw.length);
    for (var i = 0; i < raw.length; ++i) bytes[i] = raw.charCodeAt(i);
    return bytes;
  }

  function figureBytes(holder) {
    if (holder.dataset.qvf) return Promise.resolve(bytesOfBase64(holder.dataset.qvf));
    var src = holder.dataset.src;
    if (!src) return Promise.reject(new Error('La page ne dit pas quelle figure montrer.'));
    return fetch(src).then(function (r) {
      if (!r.ok) throw new Error('Impossible de lire la figure « ' + src + ' » (' + r.status + ').');
      return r.arrayBuffer();
    }).then(function (b) { return new Uint8Array(b); }, function (e) {
      if (/Impossible/.test(e.message)) throw e;
      // Browsers refuse to read a file beside a page opened from a file.
      throw new Error('Impossible de lire la figure « ' + src + ' »' +
                      (location.protocol === 'file:' ?
                           ' : une page ouverte depuis un fichier ne peut pas lire la figure à ' +
                           'côté d\'elle ; publiez-la sur un serveur web ou exportez une page ' +
                           'en un seul fichier.' :
                           ' : ' + e.message));
    });
  }

  function say(holder, text, isError) {
    var box = holder.querySelector('.kv-message');
    if (!box) {
      box = document.createElement('div');
      box.className = 'kv-message';
      box.style.cssText = 'font: 14px sans-serif; white-space: pre-line; margin: 4px 0;';
      holder.appendChild(box);
    }
    box.textContent = text;
    box.style.color = isError ? '#b00020' : '#555';
  }

  function Figure(holder, engine) {
    this.holder = holder;
    this.engine = engine;
    this.dragging = false;
    this.still = document.createElement('canvas');
  }

  Figure.prototype.load = function (bytes) {
    var e = this.engine;
    var at = e._malloc(Math.max(1, bytes.length));
    e.HEAPU8.set(bytes, at);
    var reason = e.UTF8ToString(e._kv_load(at, bytes.length));
    e._free(at);
    if (reason) throw new Error('Figure illisible : ' + reason);
    var canvas = document.createElement('canvas');
    canvas.width = this.still.width = e._kv_width();
    canvas.height = this.still.height = e._kv_height();
    canvas.style.cssText = 'display: block; touch-action: none; border: 1px solid #ccc;';
    this.canvas = canvas;
    this.surface = new Surface(canvas.getContext('2d'));
    this.holder.insertBefore(canvas, this.holder.firstChild);
    this.listen();
    this.sliders();
    var limits = e.UTF8ToString(e._kv_limits());
    if (limits) say(this.holder, limits.trim(), false);
    this.draw();
  };

  // Draws with `what` on the canvas of `surface`, the background first when `clear`.
  Figure.prototype.paint = function (surface, what, clear) {
    var e = this.engine, ctx = surface.ctx;
    if (clear) {
      ctx.fillStyle = css(e._kv_background());
      ctx.fillRect(0, 0, ctx.canvas.width, ctx.canvas.height);
    }
    e.kvSurface = surface;
    surface.apply();
    what();
    if (surface.clipped) surface.clip(0);
  };

  Figure.prototype.draw = function () {
    this.paint(this.surface, this.engine._kv_draw, true);
  };

  Figure.prototype.mouse = function (event) {
    var r = this.canvas.getBoundingClientRect();
    return [Math.floor(event.clientX - r.left - 1), Math.floor(event.clientY - r.top - 1)];
  };

  // An engine failure while the reader works on the figure is said in the page.
  Figure.prototype.guard = function (handler) {
    var holder = this.holder;
    return function (event) {
      try {
        handler(event);
      } catch (error) {
        say(holder, 'Le visualiseur a rencontré une erreur : ' + (error && error.message || error), true);
      }
    };
  };

  Figure.prototype.listen = function () {
    var self = this, e = this.engine, canvas = this.canvas;
    canvas.addEventListener('pointerdown', this.guard(function (event) {
      if (event.button !== 0) return;
      var m = self.mouse(event);
      if (!e._kv_take(m[0], m[1])) return;
      self.dragging = true;
      try { canvas.setPointerCapture(event.pointerId); } catch (ignored) { /* synthetic */ }
      // The still part of the figure is drawn once; each move draws what moves over it.
      self.paint(new Surface(self.still.getContext('2d')), e._kv_draw_still, true);
      event.preventDefault();
    }));
    canvas.addEventListener('pointermove', this.guard(function (event) {
      var m = self.mouse(event);
      if (!self.dragging) {
        canvas.style.cursor = e._kv_point_at(m[0], m[1]) ? 'pointer' : 'default';
        return;
      }
      if (!e._kv_move(m[0], m[1])) return;
      var ctx = self.surface.ctx;
      ctx.drawImage(self.still, 0, 0);
      self.paint(self.surface, e._kv_draw_moving, false);
    }));
    var drop = this.guard(function () {
      if (!self.dragging) return;
      self.dragging = false;
      e._kv_drop();
      self.draw();
    });
    canvas.addEventListener('pointerup', drop);
    canvas.addEventListener('pointercancel', drop);
  };

  Figure.prototype.sliders = function () {
    var self = this, e = this.engine, count = e._kv_variable_count();
    for (var i = 0; i < count; ++i) {
      var f = e.UTF8ToString(e._kv_variable(i)).split('\t');
      var row = document.createElement('label');
      row.style.cssText = 'display: block; font: 14px sans-serif; margin: 4px 0;';
      var input = document.createElement('input');
      input.type = 'range';
      input.min = f[2];
      input.max = f[3];
      input.step = Number(f[4]) > 0 ? f[4] : 'any';
      input.value = f[1];
      input.className = 'kv-variable';
      var output = document.createElement('output');
      output.textContent = Number(f[1]);
      row.appendChild(document.createTextNode(f[0] + ' '));
      row.appendChild(input);
      row.appendChild(output);
      this.holder.appendChild(row);
      input.addEventListener('input', this.guard((function (k, inp, out) {
        return function () {
          if (e._kv_set_variable(k, Number(inp.value))) {
            out.textContent = Number(inp.value);
            self.draw();
          }
        };
      })(i, input, output)));
    }
  };

  function start(holder) {
    holder.dataset.state = 'loading';
    var figure;
    return Promise.all([KorvendalEngine(), figureBytes(holder)]).then(function (r) {
      figure = new Figure(holder, r[0]);
      figure.load(r[1]);
      holder.kvFigure = figure;
      holder.dataset.state = 'ready';
    }).catch(function (error) {
      holder.dataset.state = 'error';
      say(holder, error && error.message ? error.message : String(error), true);
    });
  }

  function startAll() {
    var holders = document.querySelectorAll('.korvendal-figure');
    window.korvendalReady = Promise.all(Array.prototype.map.call(holders, start));
  }

  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', startAll);
  else startAll();
})();
