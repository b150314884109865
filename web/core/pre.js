// Before the module runs: the page's events are queued here by drum.post, a
// plain JavaScript call that never enters the module (its pump takes them),
// and the game's data and the voice's data are fetched into the module's
// file system (/game) before main starts.
Module['drumQueue'] = [];
Module['post'] = function (event) {
  Module['drumQueue'].push(event);
  if (Module['drumWake']) Module['drumWake']();
};
Module['preRun'] = [].concat(Module['preRun'] || [], [function () {
  addRunDependency('drum-files');
  ENV['ESPEAK_DATA_PATH'] = '/game';
  var fetchBytes = function (name) {
    return fetch(locateFile(name)).then(function (response) {
      if (!response.ok) throw new Error(name + ': ' + response.status);
      return response.arrayBuffer();
    });
  };
  fetchBytes('files.json').then(function (buffer) {
    var names = JSON.parse(new TextDecoder().decode(buffer));
    return Promise.all(names.map(function (name) {
      return fetchBytes(name).then(function (bytes) {
        var path = '/game/' + name;
        FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
        FS.writeFile(path, new Uint8Array(bytes));
      });
    }));
  }).then(function () {
    removeRunDependency('drum-files');
  }, function (error) {
    abort('the game\'s files could not be loaded (' + error.message + ')');
  });
}]);
