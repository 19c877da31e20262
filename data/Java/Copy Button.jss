// Copy the text of a pre block with a button
document.querySelectorAll('pre').forEach(function (block) {
  var button = document.createElement('button');
  button.textContent = 'Copy';
  button.addEventListener('click', function () {
    navigator.clipboard.writeText(block.innerText);
  });
  block.before(button);
});
