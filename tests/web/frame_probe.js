// Put into the page before its own scripts, to watch the game's frames from outside
// the game: the loop sleeps between frames through setTimeout (asyncify's SDL_Delay),
// and every frame's draw begins by clearing the canvas. A frame's work is the time from
// waking to going back to sleep: events, update, draw and present together.
//
// Pixels are read as the loop goes to sleep, while the canvas still holds the frame
// just drawn: once the browser has shown it, WebGL may hand back a cleared buffer.
(() => {
  const probe = {
    // Milliseconds from navigation to the end of the first frame's draw.
    firstFrameAt: null,
    // The first frame's pixels (ImageData).
    firstFrame: null,
    frames: 0,
    // One entry per frame after the first.
    work: [],
    // Resolves with the pixels of the next frame drawn.
    nextFrame() {
      return new Promise((done) => waiting.push(done));
    },
  };
  window.vantorelProbe = probe;

  const waiting = [];
  const read = () => {
    const canvas = document.getElementById("canvas");
    const copy = document.createElement("canvas");
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext("2d");
    context.drawImage(canvas, 0, 0);
    return context.getImageData(0, 0, copy.width, copy.height);
  };

  let drew = false;
  let wokeAt = 0;
  const clear = WebGLRenderingContext.prototype.clear;
  WebGLRenderingContext.prototype.clear = function (...args) {
    drew = true;
    return clear.apply(this, args);
  };
  const setTimeoutBefore = window.setTimeout;
  window.setTimeout = function (callback, delay, ...rest) {
    const now = performance.now();
    if (drew) {
      drew = false;
      probe.frames += 1;
      if (probe.firstFrameAt === null) {
        probe.firstFrameAt = now;
        probe.firstFrame = read();
      } else {
        probe.work.push(now - wokeAt);
      }
      if (waiting.length > 0) {
        const pixels = read();
        for (const done of waiting.splice(0)) done(pixels);
      }
    }
    if (typeof callback !== "function") return setTimeoutBefore.call(window, callback, delay, ...rest);
    return setTimeoutBefore.call(window, function (...args) {
      wokeAt = performance.now();
      return callback.apply(this, args);
    }, delay, ...rest);
  };
})();
