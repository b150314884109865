// Before the module runs: the page's events are queued here by drum.post, a
// plain JavaScript call that never enters the module (its pump takes them),
// and the game's data and the voice's data are fetched into the module's
// file system (/game) before main starts.
Module['drumQueue'] = [];
Module['post'] = function (event) {
  Module['drumQueue'].push(event);
  if (Module['drumWake']) Module['drumWake']();
};
// The files are asked for as soon as the module is made (preInit: once the
// module knows where its files lie), beside the WebAssembly's own download
// and compilation; main waits for them.
var drumFiles;
Module['preInit'] = [].concat(Module['preInit'] || [], [function () {
  drumFiles = fetchFiles();
}]);
function fetchFiles() {
  var fetchBytes = function (name) {
    return fetch(locateFile(name)).then(function (response) {
      if (!response.ok) throw new Error(name + ': ' + response.status);
      return response.arrayBuffer();
    });
  };
  return fetchBytes('files.json').then(function (buffer) {
    var names = JSON.parse(new TextDecoder().decode(buffer));
    return Promise.all(names.map(function (name) {
      return fetchBytes(name).then(function (bytes) { return [name, bytes]; });
    }));
  });
}
Module['preRun'] = [].concat(Module['preRun'] || [], [function () {
  addRunDependency('drum-files');
  ENV['ESPEAK_DATA_PATH'] = '/game';
  drumFiles.then(function (files) {
    files.forEach(function (file) {
      var path = '/game/' + file[0];
      FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
      FS.writeFile(path, new Uint8Array(file[1]));
    });
    removeRunDependency('drum-files');
  }, function (error) {
    abort('the game\'s files could not be loaded (' + error.message + ')');
  });
}]);
