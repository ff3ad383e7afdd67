// The page's worker, started from the page's own text (the library, then
// batch.js, then this): it runs each batch the page sends, so that the page
// stays responsive. The page ends it (terminate()) to cancel a run.
/* global createBravolin, BravolinBatch */
'use strict';

const library = createBravolin();

self.onmessage = (event) => {
  library.then((module) =>
    BravolinBatch.runBatch(module, event.data.files, event.data.settings,
      (message, buffers) => self.postMessage(message, buffers)));
};
