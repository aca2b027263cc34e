// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program once the window, already in the page, has been drawn with its fonts and
// its emblem: fetching, compiling and running the program then cannot hold back that first
// frame. A picture that fails to load does not keep the program from starting.
(() => {
  const drawn = [document.fonts.ready];
  const emblem = document.querySelector('#Form1 img');
  if (emblem) drawn.push(emblem.decode().catch(() => {}));
  Promise.all(drawn).then(() => requestAnimationFrame(() => setTimeout(() => {
    const program = document.createElement('script');
    program.src = 'quorvel.js';
    document.head.append(program);
  })));
})();
