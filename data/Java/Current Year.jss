// Write the current year into elements of class year
document.querySelectorAll('.year').forEach(function (element) {
  element.textContent = new Date().getFullYear();
});
