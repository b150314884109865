// The game file and the settings in IndexedDB: one object store of named
// byte arrays, every save one transaction, so a closed tab or a full disk
// leaves the old file or the new one, never a mix.

const DB = 'drum';
const STORE = 'files';

let opening = null;
export let state = 'ok';   // 'ok' | 'unavailable'

function open() {
  if (!opening) {
    opening = new Promise((resolve) => {
      let req;
      try {
        req = indexedDB.open(DB, 1);
      } catch (e) {
        resolve(null);
        return;
      }
      req.onupgradeneeded = () => req.result.createObjectStore(STORE);
      req.onsuccess = () => resolve(req.result);
      req.onerror = () => resolve(null);
      req.onblocked = () => resolve(null);
    }).then((db) => {
      if (!db) state = 'unavailable';
      return db;
    });
  }
  return opening;
}

// The bytes stored under name, or null (none stored, or no storage).
export async function get(name) {
  const db = await open();
  if (!db) return null;
  return new Promise((resolve) => {
    try {
      const req = db.transaction(STORE, 'readonly').objectStore(STORE).get(name);
      req.onsuccess = () => resolve(req.result instanceof Uint8Array ? req.result : null);
      req.onerror = () => resolve(null);
    } catch (e) {
      resolve(null);
    }
  });
}

// '' when stored; 'quota' when the browser's storage for the site is full;
// 'unavailable' when this window cannot keep data (a private window, storage
// switched off).
export async function put(name, bytes) {
  const db = await open();
  if (!db) return 'unavailable';
  const copy = new Uint8Array(bytes);
  return new Promise((resolve) => {
    const why = (e) => (e && e.name === 'QuotaExceededError' ? 'quota' : 'unavailable');
    try {
      const tx = db.transaction(STORE, 'readwrite', { durability: 'strict' });
      tx.objectStore(STORE).put(copy, name);
      tx.oncomplete = () => resolve('');
      tx.onabort = () => resolve(why(tx.error));
      tx.onerror = (e) => { e.preventDefault(); };
    } catch (e) {
      resolve(why(e));
    }
  });
}

// Asks the browser not to drop the site's data when space runs short.
export async function persist() {
  try {
    if (navigator.storage && navigator.storage.persist) await navigator.storage.persist();
  } catch (e) { /* the browser keeps it as best effort */ }
}
